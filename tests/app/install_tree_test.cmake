# Installs the build tree into a temporary prefix and runs the installed ondrix-cli from PREFIX/bin:
# its program folder must be PREFIX/lib/ondrix (reached through the link), with the help files and
# the outside libraries beside it, and its data folder the program folder's DATA/ (writable here).
#   cmake -DBUILD_DIR=... [-DWITH_GUI=ON] -P install_tree_test.cmake

if(DEFINED ENV{TMPDIR} AND NOT "$ENV{TMPDIR}" STREQUAL "")
  set(tmp_root "$ENV{TMPDIR}")
else()
  set(tmp_root /tmp)
endif()
string(RANDOM LENGTH 10 suffix)
set(prefix "${tmp_root}/ondrix-install-${suffix}")
set(program_dir "${prefix}/lib/ondrix")

function(fail text)
  file(REMOVE_RECURSE "${prefix}")
  message(FATAL_ERROR "${text}")
endfunction()

# Runs the installed ondrix-cli with a clean data environment; sets `out` and `status`.
function(run_cli)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=ONDRIX_DATA "HOME=${prefix}/home" "XDG_DATA_HOME="
                          "${prefix}/bin/ondrix-cli" ${ARGN}
                  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE result TIMEOUT 60)
  set(out "${output}${errors}" PARENT_SCOPE)
  set(status "${result}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}"
                OUTPUT_QUIET ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  fail("cmake --install failed: ${errors}")
endif()

set(expected "${program_dir}/ondrix-cli" "${program_dir}/OXPRO.md" "${program_dir}/OXPSCRIPT.md"
             "${program_dir}/NEWS.html" "${program_dir}/OndrixScript.txt" "${prefix}/share/man/man1/ondrix-cli.1.gz")
if(WITH_GUI)
  list(APPEND expected "${program_dir}/ondrix" "${program_dir}/ADDINMGR.so" "${program_dir}/ABOUTDLL.so"
       "${prefix}/bin/ondrix" "${prefix}/share/man/man1/ondrix.1.gz" "${prefix}/share/applications/ondrix.desktop"
       "${prefix}/share/mime/packages/ondrix.xml" "${prefix}/share/icons/hicolor/48x48/apps/ondrix.png")
endif()
foreach(file IN LISTS expected)
  if(NOT EXISTS "${file}")
    fail("not installed: ${file}")
  endif()
endforeach()
if(NOT IS_SYMLINK "${prefix}/bin/ondrix-cli")
  fail("${prefix}/bin/ondrix-cli is not a link into the program folder")
endif()

run_cli(init)
if(NOT status EQUAL 0 OR NOT out MATCHES "^data folder ${program_dir}/DATA/\ncreated ${program_dir}/DATA/")
  fail("ondrix-cli init from the install tree (status ${status}):\n${out}")
endif()

file(WRITE "${prefix}/check.oxs"
     "begin\n"
     "  ShowMessage(InstallDir);\n"
     "  if FileExists(InstallDir + 'OXPRO.md') and FileExists(InstallDir + 'OXPSCRIPT.md') then\n"
     "    ShowMessage('help files found')\n"
     "  else\n"
     "    ShowMessage('help files missing')\n"
     "end.\n")
run_cli(run --timeout 30 "${prefix}/check.oxs")
if(NOT status EQUAL 0 OR NOT out STREQUAL "${program_dir}/\nhelp files found\n")
  fail("ondrix-cli run from the install tree (status ${status}):\n${out}")
endif()

run_cli(--version)
if(NOT status EQUAL 0 OR NOT out MATCHES "^ondrix-cli [0-9]+\\.[0-9]+\\.[0-9]+\n$")
  fail("ondrix-cli --version (status ${status}):\n${out}")
endif()

if(WITH_GUI)
  # Both print and return before the window system is reached.
  foreach(option --version --help)
    execute_process(COMMAND "${prefix}/bin/ondrix" ${option} OUTPUT_VARIABLE out RESULT_VARIABLE status TIMEOUT 60)
    if(NOT status EQUAL 0 OR NOT out MATCHES "^(ondrix [0-9]+\\.[0-9]+\\.[0-9]+\n|Usage: ondrix )")
      fail("ondrix ${option} (status ${status}):\n${out}")
    endif()
  endforeach()
endif()

file(REMOVE_RECURSE "${prefix}")
