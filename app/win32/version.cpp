// The program's version, as the version resource states it.
namespace svcman {
extern const char kProgramVersion[] = "1.0.0.0";
}
