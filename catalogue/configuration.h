// Loading "Kelconfig.ini" beside the executable into the catalogue, the caption and the list.
#pragma once

#include <string>
#include <string_view>

namespace svcman {

class ServiceCatalogue;
class MainWindow;
class System;
struct ServiceRecord;

// The whole configuration step of start-up. Expects an empty catalogue and an empty list.
void LoadConfiguration(ServiceCatalogue& catalogue, MainWindow& window, System& system);

// The parsing, apart from the file: appends every accepted service line of text (already cut at
// its first NUL) to the catalogue in file order and returns the caption, or false when the text
// has no line at all (the caption then stays as it is).
bool ParseConfiguration(std::string_view text, ServiceCatalogue& catalogue, std::string& caption);

// One service line; false when the line is not accepted.
bool ParseServiceLine(std::string_view line, ServiceRecord& record);

}  // namespace svcman
