# Warnings as errors everywhere; sanitizers on request; size flags for the Windows program.
function(svcman_apply_settings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  if(SVCMAN_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all
                                             -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(WIN32)
    target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections)
    target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE
                                                 _WIN32_WINNT=0x0601)
  endif()
endfunction()

if(SVCMAN_SANITIZE)
  # The core library is linked into sanitized tests, so it must be instrumented too.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
