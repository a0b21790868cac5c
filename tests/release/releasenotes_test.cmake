# SPDX-License-Identifier: GPL-3.0-or-later
# What the release notes become: the AppStream releases and the Debian
# change log, from notes with two releases, items over several lines and
# characters that CMake lists, XML or Markdown treat specially.
#   cmake -DSOURCE=<source tree> -DWORK=<scratch folder> -P releasenotes_test.cmake
include(${SOURCE}/cmake/releasenotes.cmake)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(expect what actual expected)
    if(NOT actual STREQUAL expected)
        message(SEND_ERROR "${what}:\n--- got\n${actual}\n--- expected\n${expected}")
    endif()
endfunction()

file(WRITE ${WORK}/NEWS.md [=[
# Release notes

Intro text; a list here is no release's:
- not an item

## 5.1 (2027-02-28)

- Lists [saved; sorted] as `CSV` & <b>more</b>: a **long** item that goes on over a second line and
  a third, so that the change log wraps it.
- A back\slash.

## 5.0 (2024-01-01)
- First.
]=])
quenmora_release_notes(${WORK}/NEWS.md "Some One <one@example.invalid>")

expect("versions" "${QUENMORA_RELEASES}" "5.1;5.0")
expect("date" "${QUENMORA_RELEASE_DATE}" "2027-02-28")
expect("month" "${QUENMORA_RELEASE_MONTH}" "February 2027")
expect("AppStream" "${QUENMORA_APPSTREAM_RELEASES}" [=[
  <releases>
    <release version="5.1" date="2027-02-28">
      <description>
        <ul>
          <li>Lists [saved; sorted] as CSV &amp; &lt;b&gt;more&lt;/b&gt;: a long item that goes on over a second line and a third, so that the change log wraps it.</li>
          <li>A back\slash.</li>
        </ul>
      </description>
    </release>
    <release version="5.0" date="2024-01-01">
      <description>
        <ul>
          <li>First.</li>
        </ul>
      </description>
    </release>
  </releases>]=])
# Change-log lines of at most 80 columns; the days of the week are right.
expect("change log" "${QUENMORA_DEBIAN_CHANGELOG}" [=[
quenmora (5.1) unstable; urgency=medium

  * Lists [saved; sorted] as CSV & <b>more</b>: a long item that goes on over a
    second line and a third, so that the change log wraps it.
  * A back\slash.

 -- Some One <one@example.invalid>  Sun, 28 Feb 2027 12:00:00 +0000

quenmora (5.0) unstable; urgency=medium

  * First.

 -- Some One <one@example.invalid>  Mon, 01 Jan 2024 12:00:00 +0000
]=])

# A heading that is no release stops the build with the reason.
file(WRITE ${WORK}/bad.md "## 5.2 soon\n- Item.\n")
file(WRITE ${WORK}/bad.cmake "include(${SOURCE}/cmake/releasenotes.cmake)\nquenmora_release_notes(${WORK}/bad.md \"M <m@example.invalid>\")\n")
execute_process(COMMAND ${CMAKE_COMMAND} -P ${WORK}/bad.cmake RESULT_VARIABLE failed ERROR_VARIABLE error)
# CMake folds a long message over lines, where depends on the folder's path.
string(REGEX REPLACE "[ \t\r\n]+" " " error "${error}")
if(NOT failed OR NOT error MATCHES "a release heading reads" OR NOT error MATCHES "\"## 5\\.2 soon\"")
    message(SEND_ERROR "a wrong heading was accepted: ${error}")
endif()
