-- The song table on a PostgreSQL server. Every column but ID holds text;
-- ID is assigned on insert. Names are unquoted, so the server keeps them in
-- lower case; the program matches column names without regard to case.
CREATE TABLE table1 (
    ID           SERIAL PRIMARY KEY,
    DiskID       TEXT,
    PathSID      TEXT,
    TitleSID     TEXT,
    ExtensionID  TEXT,
    FileSizID    TEXT,
    FileDatTimID TEXT,
    ArtistID     TEXT,
    TotFiles     TEXT,
    OccasionID   TEXT,
    StatusID     TEXT
);
