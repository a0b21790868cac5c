# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the empty song database from its structure file. Run as a script
# (cmake -P) so that no shell reads the paths: any folder name works.
#   cmake -DSQLITE3=sqlite3 -DSCHEMA=schema.sql -DOUTPUT=file.db -P empty-database.cmake
foreach(name SQLITE3 SCHEMA OUTPUT)
    if(NOT DEFINED ${name})
        message(FATAL_ERROR "empty-database.cmake needs -D${name}=...")
    endif()
endforeach()
# sqlite3 adds to a file that is there already: start from nothing, and
# put the database in place only once it is whole.
set(part "${OUTPUT}.part")
file(REMOVE "${part}")
execute_process(
    COMMAND "${SQLITE3}" -bail "${part}"
    INPUT_FILE "${SCHEMA}"
    RESULT_VARIABLE failed
    ERROR_VARIABLE error)
if(failed)
    file(REMOVE "${part}")
    message(FATAL_ERROR "The empty song database could not be made from ${SCHEMA}: ${error}")
endif()
file(RENAME "${part}" "${OUTPUT}")
