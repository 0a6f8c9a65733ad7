# find_package(Zandrel) gives zandrel_generate(), which generates classes, enumerations and
# companion headers with zandrel-gen at build time, into the build tree.
include_guard(GLOBAL)
cmake_minimum_required(VERSION 3.19)  # string(JSON)

# This file lives in PREFIX/lib/cmake/Zandrel, zandrel-gen in PREFIX/bin.
get_filename_component(_zandrel_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
find_program(ZANDREL_GEN_EXECUTABLE zandrel-gen HINTS "${_zandrel_prefix}/bin" NO_CACHE)
if(NOT ZANDREL_GEN_EXECUTABLE)
  set(Zandrel_FOUND FALSE)
  set(Zandrel_NOT_FOUND_MESSAGE "zandrel-gen was not found under ${_zandrel_prefix}/bin")
  return()
endif()
if(NOT TARGET Zandrel::zandrel-gen)
  add_executable(Zandrel::zandrel-gen IMPORTED)
  set_target_properties(Zandrel::zandrel-gen PROPERTIES IMPORTED_LOCATION "${ZANDREL_GEN_EXECUTABLE}")
endif()

# Reads KEY of the JSON file PATH into OUT, or DEFAULT when the file has no such key.
function(_zandrel_json_value out path default)
  file(READ "${path}" json)
  string(JSON value ERROR_VARIABLE missing GET "${json}" ${ARGN})
  if(missing)
    set(value "${default}")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# zandrel_generate(TARGET target
#                  [DESCRIPTIONS class.zandrel.json ...]   C++ classes (header and source)
#                  [REQUESTS enumeration.json ...]        enumerations
#                  [COMPANIONS header.h ...]              helpers for the types a header defines
#                  [COMPANION_OPTIONS --json --formatter ...]
#                  [OUTPUT_DIR dir])
# The files are build outputs: made when the target is built, made again when a JSON file or
# header changes, never recorded or merged. They join the target's sources, and OUTPUT_DIR (by
# default zandrel/<target> in the current binary folder) its include path.
function(zandrel_generate)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "TARGET;OUTPUT_DIR"
                        "DESCRIPTIONS;REQUESTS;COMPANIONS;COMPANION_OPTIONS")
  if(NOT arg_TARGET OR NOT TARGET "${arg_TARGET}")
    message(FATAL_ERROR "zandrel_generate: TARGET must name a target defined before the call")
  endif()
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "zandrel_generate: unknown arguments: ${arg_UNPARSED_ARGUMENTS}")
  endif()
  set(dir "${arg_OUTPUT_DIR}")
  if(NOT dir)
    set(dir "${CMAKE_CURRENT_BINARY_DIR}/zandrel/${arg_TARGET}")
  endif()
  get_filename_component(dir "${dir}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  file(MAKE_DIRECTORY "${dir}")
  set(all_outputs "")

  # The file names come from the JSON itself, so a change there configures again.
  foreach(description IN LISTS arg_DESCRIPTIONS)
    get_filename_component(description "${description}" ABSOLUTE)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${description}")
    _zandrel_json_value(name "${description}" "" ClassName)
    _zandrel_json_value(system "${description}" "DevCpp" Options TargetSystem)
    if(name STREQUAL "")
      message(FATAL_ERROR "zandrel_generate: ${description} has no ClassName")
    endif()
    if(system MATCHES "^Java")
      message(FATAL_ERROR "zandrel_generate: ${description} describes a ${system} class; "
                          "a C++ target takes the C++ targets only")
    endif()
    set(outputs "${dir}/${name}.h" "${dir}/${name}.cpp")
    add_custom_command(
      OUTPUT ${outputs}
      COMMAND Zandrel::zandrel-gen class --build-output "${description}" "${dir}/${name}.h"
      # Left alone when unchanged; touched so the rule does not run again on every build.
      COMMAND "${CMAKE_COMMAND}" -E touch_nocreate ${outputs}
      DEPENDS "${description}" Zandrel::zandrel-gen
      WORKING_DIRECTORY "${dir}"
      COMMENT "Generating ${name}.h and ${name}.cpp from ${description}"
      VERBATIM)
    list(APPEND all_outputs ${outputs})
  endforeach()

  foreach(request IN LISTS arg_REQUESTS)
    get_filename_component(request "${request}" ABSOLUTE)
    get_filename_component(folder "${request}" DIRECTORY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${request}")
    _zandrel_json_value(name "${request}" "" TypeName)
    _zandrel_json_value(style "${request}" "PlainEnumeration" Style)
    _zandrel_json_value(list "${request}" "" ListFile)
    if(name STREQUAL "")
      message(FATAL_ERROR "zandrel_generate: ${request} has no TypeName")
    endif()
    set(outputs "${dir}/${name}.h")
    if(NOT style STREQUAL "ModernEnumeration")
      list(APPEND outputs "${dir}/${name}.cpp")
    endif()
    set(depends "${request}")
    if(NOT list STREQUAL "")
      get_filename_component(list "${list}" ABSOLUTE BASE_DIR "${folder}")
      list(APPEND depends "${list}")
    endif()
    # A list file is named relative to the request's folder.
    add_custom_command(
      OUTPUT ${outputs}
      COMMAND Zandrel::zandrel-gen enum --build-output -o "${dir}/${name}.h" "${request}"
      COMMAND "${CMAKE_COMMAND}" -E touch_nocreate ${outputs}
      DEPENDS ${depends} Zandrel::zandrel-gen
      WORKING_DIRECTORY "${folder}"
      COMMENT "Generating ${name} from ${request}"
      VERBATIM)
    list(APPEND all_outputs ${outputs})
  endforeach()

  set(includes "$<TARGET_PROPERTY:${arg_TARGET},INCLUDE_DIRECTORIES>")
  set(definitions "$<TARGET_PROPERTY:${arg_TARGET},COMPILE_DEFINITIONS>")
  foreach(header IN LISTS arg_COMPANIONS)
    get_filename_component(header "${header}" ABSOLUTE)
    get_filename_component(stem "${header}" NAME_WE)
    set(output "${dir}/${stem}.zandrel.h")
    add_custom_command(
      OUTPUT "${output}"
      COMMAND Zandrel::zandrel-gen companion --build-output --all ${arg_COMPANION_OPTIONS}
              "$<$<BOOL:${includes}>:-I$<JOIN:${includes},;-I>>"
              "$<$<BOOL:${definitions}>:-D$<JOIN:${definitions},;-D>>"
              -o "${output}" "${header}"
      COMMAND "${CMAKE_COMMAND}" -E touch_nocreate "${output}"
      DEPENDS "${header}" Zandrel::zandrel-gen
      IMPLICIT_DEPENDS CXX "${header}"
      COMMENT "Generating ${stem}.zandrel.h for the types of ${header}"
      COMMAND_EXPAND_LISTS VERBATIM)
    list(APPEND all_outputs "${output}")
  endforeach()

  target_sources("${arg_TARGET}" PRIVATE ${all_outputs})
  target_include_directories("${arg_TARGET}" PRIVATE "${dir}")
endfunction()
