-- The song table. Every column but ID holds text; ID is assigned on insert.
CREATE TABLE table1 (
    ID           INTEGER PRIMARY KEY AUTOINCREMENT,
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
