# Runs at install time (from install(CODE)): writes the sample Tovira.dat into the install folder
# from TOVIRA_DAT_TEMPLATE, with @HOMEPAGE@ and @SITE@ turned into file: addresses of the welcome
# page there. An existing Tovira.dat holds the operator's settings and is left as it is.

# A path as the path part of a file: address: every byte but the unreserved ones and '/' as %XX.
function(tovira_uri_path path out)
  set(result "")
  string(LENGTH "${path}" length)
  if(length GREATER 0)
    math(EXPR last "${length} - 1")
    foreach(i RANGE 0 ${last})
      string(SUBSTRING "${path}" ${i} 1 c)
      if(c MATCHES "^[A-Za-z0-9._~/-]$")
        string(APPEND result "${c}")
      else()
        string(HEX "${c}" hex)
        string(TOUPPER "${hex}" hex)
        string(APPEND result "%${hex}")
      endif()
    endforeach()
  endif()
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

cmake_path(ABSOLUTE_PATH TOVIRA_DAT_FOLDER BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE OUTPUT_VARIABLE folder)
string(REGEX REPLACE "/+$" "" folder "${folder}")
tovira_uri_path("${folder}" uri_folder)

set(target "$ENV{DESTDIR}${folder}/Tovira.dat")
if(EXISTS "${target}")
  message(STATUS "Kept: ${target}")
  return()
endif()
set(HOMEPAGE "file://${uri_folder}/welcome/index.html")
set(SITE "file://${uri_folder}/welcome")
message(STATUS "Installing: ${target}")
# The file keeps the Windows line ends that the settings tool writes.
configure_file("${TOVIRA_DAT_TEMPLATE}" "${target}" @ONLY NEWLINE_STYLE CRLF)
