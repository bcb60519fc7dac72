# Build rules that run zemtra-cli: a font library (.dzk), C source or an exported font (LVGL,
# Adafruit GFX, BDF) from a project file, remade whenever the project (or zemtra-cli itself)
# changes. Shipped with Zemtra's CMake package.
include_guard(GLOBAL)

# The program the rules run: Zemtra::zemtra-cli from the package, or a target of that name a
# parent project provides (e.g. an ALIAS of zemtra-cli when Zemtra is built alongside).
set(ZEMTRA_CLI_TARGET "Zemtra::zemtra-cli" CACHE STRING "zemtra-cli target the Zemtra rules run")

# Shared part of the rules: checks the arguments, makes the paths absolute and adds the
# custom command. Sets <prefix>_project and <prefix>_output in the caller.
function(_zemtra_add_rule function command prefix)
  if(NOT ARG_TARGET OR NOT ARG_PROJECT OR NOT ARG_OUTPUT)
    message(FATAL_ERROR "${function}: TARGET, PROJECT and OUTPUT are all needed")
  endif()
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "${function}: unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT TARGET ${ZEMTRA_CLI_TARGET})
    message(FATAL_ERROR "${function}: no target ${ZEMTRA_CLI_TARGET}; call find_package(Zemtra)")
  endif()
  cmake_path(ABSOLUTE_PATH ARG_PROJECT BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}"
             NORMALIZE OUTPUT_VARIABLE project)
  cmake_path(ABSOLUTE_PATH ARG_OUTPUT BASE_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
             NORMALIZE OUTPUT_VARIABLE output)
  set(extra_depends)
  foreach(file IN LISTS ARG_DEPENDS)
    cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}" NORMALIZE)
    list(APPEND extra_depends "${file}")
  endforeach()
  cmake_path(GET output PARENT_PATH output_dir)
  cmake_path(GET output FILENAME output_name)
  # zemtra-cli writes its output whole or not at all, so a failed run never leaves a half file
  # that would count as up to date.
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${output_dir}"
    COMMAND ${ZEMTRA_CLI_TARGET} ${command} --project "${project}" ${ARGN} ${ARG_OPTIONS}
            -o "${output}"
    DEPENDS "${project}" "$<TARGET_FILE:${ZEMTRA_CLI_TARGET}>" ${extra_depends}
    WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
    COMMENT "Zemtra: ${command} ${output_name} from ${ARG_PROJECT}"
    VERBATIM)
  set(${prefix}_project "${project}" PARENT_SCOPE)
  set(${prefix}_output "${output}" PARENT_SCOPE)
endfunction()

# The options of a code range given as CODEPAGE, FROM and TO, appended to the list <var>.
macro(_zemtra_append_code_range var)
  if(ARG_CODEPAGE)
    list(APPEND ${var} --codepage "${ARG_CODEPAGE}")
  endif()
  if(ARG_FROM)
    list(APPEND ${var} --from "${ARG_FROM}")
  endif()
  if(ARG_TO)
    list(APPEND ${var} --to "${ARG_TO}")
  endif()
endmacro()

# The custom target <TARGET> that makes the rule's file, with its ZEMTRA_OUTPUT and
# ZEMTRA_PROJECT properties, and <TARGET>_OUTPUT in the caller's caller (a macro, so that
# PARENT_SCOPE reaches past the rule function that uses it).
macro(_zemtra_add_output_target)
  set(all ALL)
  if(ARG_EXCLUDE_FROM_ALL)
    set(all)
  endif()
  add_custom_target(${ARG_TARGET} ${all} DEPENDS "${rule_output}")
  set_target_properties(${ARG_TARGET} PROPERTIES ZEMTRA_OUTPUT "${rule_output}"
                                                 ZEMTRA_PROJECT "${rule_project}")
  set(${ARG_TARGET}_OUTPUT "${rule_output}" PARENT_SCOPE)
endmacro()

# zemtra_add_font_library(TARGET name PROJECT job.fprj OUTPUT font.dzk
#                         [CODEPAGE unicode|mbcs|gb2312|gbk|big5] [FROM hex] [TO hex]
#                         [OPTIONS zemtra-cli settings options...] [DEPENDS files...]
#                         [EXCLUDE_FROM_ALL])
# Builds the font library of the project's code range (CODEPAGE, FROM and TO override it) into
# OUTPUT (relative: to the current binary folder) as part of the custom target <name>, which
# is built by default unless EXCLUDE_FROM_ALL. The target's ZEMTRA_OUTPUT property and the
# variable <name>_OUTPUT hold the file's full path.
function(zemtra_add_font_library)
  cmake_parse_arguments(PARSE_ARGV 0 ARG "EXCLUDE_FROM_ALL"
                        "TARGET;PROJECT;OUTPUT;CODEPAGE;FROM;TO" "OPTIONS;DEPENDS")
  set(range)
  _zemtra_append_code_range(range)
  _zemtra_add_rule(zemtra_add_font_library library rule ${range})
  _zemtra_add_output_target()
endfunction()

# zemtra_add_c_source(TARGET name PROJECT job.fprj OUTPUT font.c [TEXT characters]
#                     [OPTIONS zemtra-cli settings options...] [DEPENDS files...])
# Writes the C source (fontlib_WxH and fonttab_WxH) of the project's character list, or of
# TEXT, into OUTPUT (relative: to the current binary folder), UTF-8 as compilers take it.
# <name> is an OBJECT library compiling it (C must be enabled), so
#   target_link_libraries(app PRIVATE name)
# puts the arrays into app; declare them there as
#   extern const unsigned char fontlib_WxH[];  extern const unsigned short fonttab_WxH[];
# (unsigned short/int/long for 16, 24 and 32-bit words). The target's ZEMTRA_OUTPUT property
# and the variable <name>_OUTPUT hold the file's full path, for those who #include it instead.
function(zemtra_add_c_source)
  cmake_parse_arguments(PARSE_ARGV 0 ARG "" "TARGET;PROJECT;OUTPUT;TEXT" "OPTIONS;DEPENDS")
  get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
  if(NOT "C" IN_LIST languages)
    message(FATAL_ERROR "zemtra_add_c_source: the generated C source needs the C language; "
                        "add C to project(... LANGUAGES ...)")
  endif()
  set(text)
  if(DEFINED ARG_TEXT)
    # A ';' in the characters would split the argument in two; $<SEMICOLON> keeps it whole.
    string(REPLACE ";" "$<SEMICOLON>" characters "${ARG_TEXT}")
    set(text --text "${characters}")
  endif()
  _zemtra_add_rule(zemtra_add_c_source c-source rule ${text})
  add_library(${ARG_TARGET} OBJECT "${rule_output}")
  set_target_properties(${ARG_TARGET} PROPERTIES ZEMTRA_OUTPUT "${rule_output}"
                                                 ZEMTRA_PROJECT "${rule_project}")
  set(${ARG_TARGET}_OUTPUT "${rule_output}" PARENT_SCOPE)
endfunction()

# zemtra_add_export(TARGET name PROJECT job.fprj OUTPUT font.c
#                   FORMAT lvgl|adafruit-gfx|bdf|lvgl-bin|u8g2|vlw
#                   [BPP 1|2|4|8] [MONOSPACE] [COMPRESS] [NO_KERNING] [C_ARRAY] [NAME identifier]
#                   [TEXT characters | RANGE U+XXXX-U+YYYY,... | CODEPAGE cp [FROM hex] [TO hex]]
#                   [OPTIONS zemtra-cli settings options...] [DEPENDS files...]
#                   [EXCLUDE_FROM_ALL])
# Exports a font for a display library from the project's settings into OUTPUT (relative: to
# the current binary folder) as part of the custom target <name>, built by default unless
# EXCLUDE_FROM_ALL. The characters are TEXT, the Unicode RANGE, the code range, or else the
# project's character list. NAME is the C identifier of an Adafruit GFX or LVGL font, or of the
# array C_ARRAY makes of a binary format's bytes (default: made from OUTPUT's file name). Add the file to a program with
#   target_sources(app PRIVATE ${name_OUTPUT})                          (LVGL's .c)
#   target_include_directories(app PRIVATE ${CMAKE_CURRENT_BINARY_DIR})  (GFX's .h)
# and add_dependencies(app name). The target's ZEMTRA_OUTPUT property and the variable
# <name>_OUTPUT hold the file's full path.
function(zemtra_add_export)
  cmake_parse_arguments(PARSE_ARGV 0 ARG "EXCLUDE_FROM_ALL;MONOSPACE;COMPRESS;NO_KERNING;C_ARRAY"
                        "TARGET;PROJECT;OUTPUT;FORMAT;BPP;NAME;TEXT;RANGE;CODEPAGE;FROM;TO"
                        "OPTIONS;DEPENDS")
  if(NOT ARG_FORMAT)
    message(FATAL_ERROR "zemtra_add_export: FORMAT lvgl, adafruit-gfx, bdf, lvgl-bin, u8g2 or vlw is needed")
  endif()
  set(export --format "${ARG_FORMAT}")
  if(ARG_BPP)
    list(APPEND export --bpp "${ARG_BPP}")
  endif()
  if(ARG_MONOSPACE)
    list(APPEND export --monospace)
  endif()
  if(ARG_COMPRESS)
    list(APPEND export --compress)
  endif()
  if(ARG_NO_KERNING)
    list(APPEND export --no-kerning)
  endif()
  if(ARG_C_ARRAY)
    list(APPEND export --c-array)
  endif()
  if(ARG_NAME)
    list(APPEND export --name "${ARG_NAME}")
  endif()
  if(DEFINED ARG_TEXT)
    # A ';' in the characters would split the argument in two; $<SEMICOLON> keeps it whole.
    string(REPLACE ";" "$<SEMICOLON>" characters "${ARG_TEXT}")
    list(APPEND export --text "${characters}")
  endif()
  if(ARG_RANGE)
    list(APPEND export --range "${ARG_RANGE}")
  endif()
  _zemtra_append_code_range(export)
  _zemtra_add_rule(zemtra_add_export export rule ${export})
  _zemtra_add_output_target()
endfunction()
