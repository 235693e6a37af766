# Shared libraries of the system (extension libraries and Wennic).
#
# korvex_add_extension_library(<target> [MODULE <name>] [NO_HANDLE]
#                              SOURCES <file>... [RC <file.rc>...] [LIBS <lib>...])
#   Builds <target>.dll into ${KORVEX_BIN_DIR} on the frame (libs/frame):
#   - the entry procedure with the attach counter, hInst and the empty
#     VariableUpdated hook; the library's sources define DLL_Start/DLL_Stop;
#   - the handle export <MODULE>_HANDLE (MODULE defaults to the target name
#     in upper case), left out with NO_HANDLE (Wennic);
#   - RC files are written in UTF-8 (no code_page pragma) and converted to
#     code page 1251 before windres reads them with "-c 1251";
#   - exports (KORVEX_EXPORT ... WINAPI) keep plain undecorated names, and the
#     import library lib<target>.dll.a keeps the decorated symbols that
#     callers' compilers ask for, so other targets may link <target> directly.
#   The target's property KORVEX_MODULE holds the module name.
#
# korvex_add_libcheck_test(<library target> [DECLARATIONS <n>] [RELEASE]
#                          [REPEATS <id>...])
#   One ctest test, libcheck_<target>: loads the library by its module name
#   the way the binder does and reports every declaration it cannot bind;
#   DECLARATIONS checks the number of declaration strings, RELEASE that the
#   library exports RELEASE, REPEATS the strings that repeat an earlier
#   declaration word for word on purpose.

set(KORVEX_BIN_DIR ${CMAKE_BINARY_DIR}/bin)
set(KORVEX_FRAME_DIR ${CMAKE_CURRENT_LIST_DIR}/../libs/frame)

# Converts a UTF-8 resource script to code page 1251 in the build tree; its
# own directory stays on the include path for the files it names.
function(korvex_cp1251_resource source out_var)
  get_filename_component(abs ${source} ABSOLUTE)
  get_filename_component(dir ${abs} DIRECTORY)
  get_filename_component(name ${abs} NAME)
  set(outdir ${CMAKE_CURRENT_BINARY_DIR}/cp1251)
  set(out ${outdir}/${name})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${outdir}
    COMMAND iconv -f UTF-8 -t CP1251 -o ${out}.tmp ${abs}
    COMMAND ${CMAKE_COMMAND} -E rename ${out}.tmp ${out}
    DEPENDS ${abs}
    COMMENT "Converting ${name} to code page 1251"
    VERBATIM)
  set_source_files_properties(${out} PROPERTIES INCLUDE_DIRECTORIES ${dir})
  set(${out_var} ${out} PARENT_SCOPE)
endfunction()

function(korvex_add_extension_library target)
  cmake_parse_arguments(L "NO_HANDLE" "MODULE" "SOURCES;RC;LIBS" ${ARGN})
  if(NOT L_MODULE)
    string(TOUPPER ${target} L_MODULE)
  endif()
  set(sources ${L_SOURCES})
  foreach(rc IN LISTS L_RC)
    korvex_cp1251_resource(${rc} converted)
    list(APPEND sources ${converted})
  endforeach()
  if(NOT L_NO_HANDLE)
    list(APPEND sources ${KORVEX_FRAME_DIR}/handle_export.cpp)
  endif()

  add_library(${target} SHARED ${sources})
  target_compile_definitions(${target} PRIVATE KORVEX_MODULE=${L_MODULE})
  target_link_libraries(${target} PRIVATE korvex_frame ${L_LIBS})
  target_link_options(${target} PRIVATE -Wl,--kill-at)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    RUNTIME_OUTPUT_DIRECTORY ${KORVEX_BIN_DIR}
    KORVEX_MODULE ${L_MODULE})
  # The linker's own import library loses the "@n" of stdcall symbols under
  # --kill-at; dlltool rebuilds it from the objects' export directives.
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_DLLTOOL} --kill-at --dllname $<TARGET_FILE_NAME:${target}>
            --output-lib $<TARGET_LINKER_FILE:${target}> $<TARGET_OBJECTS:${target}>
    COMMAND_EXPAND_LISTS VERBATIM)
endfunction()

function(korvex_add_libcheck_test library)
  cmake_parse_arguments(C "RELEASE" "DECLARATIONS" "REPEATS" ${ARGN})
  get_target_property(module ${library} KORVEX_MODULE)
  set(options)
  if(DEFINED C_DECLARATIONS)
    list(APPEND options --count ${C_DECLARATIONS})
  endif()
  if(C_RELEASE)
    list(APPEND options --release)
  endif()
  foreach(id IN LISTS C_REPEATS)
    list(APPEND options --repeat ${id})
  endforeach()
  add_test(NAME libcheck_${library} COMMAND libcheck ${module} ${options}
           WORKING_DIRECTORY ${KORVEX_BIN_DIR})
  # The library is found by name next to libcheck.exe, so build it first.
  add_dependencies(libcheck ${library})
endfunction()
