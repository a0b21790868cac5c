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

-- Indexes that keep a large catalogue quick: the Disk, Occasion and Status
-- label lists, deleting a disk and the Disk ID check read them instead of
-- the whole table; the narrow copy of the keys serves counting and finding
-- the record at a position. scripts/add-indexes.sh adds these lines (one
-- statement each) to an existing catalogue.
CREATE INDEX IF NOT EXISTS table1_DiskID ON table1 (DiskID);
CREATE INDEX IF NOT EXISTS table1_OccasionID ON table1 (OccasionID);
CREATE INDEX IF NOT EXISTS table1_StatusID ON table1 (StatusID);
-- The titles in lower case: the titles on several disks are found from it.
CREATE INDEX IF NOT EXISTS table1_TitleSID_lower ON table1 (lower(TitleSID));
CREATE INDEX IF NOT EXISTS table1_ID ON table1 (ID);
