-- SPDX-License-Identifier: GPL-3.0-or-later
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

-- Substring search ("Find and Display", finding as you type) in titles and
-- artists: a trigram index of each column (FTS5; letters folded, so that
-- LIKE's letter case rule loses no record). The program asks an index for
-- the records that hold every three characters of the text in a row and
-- applies LIKE to those alone. The triggers keep the indexes in step with
-- every insert, change and deletion. scripts/add-indexes.sh adds these lines
-- (one statement each) to an existing catalogue and fills the indexes.
CREATE VIRTUAL TABLE IF NOT EXISTS table1_TitleSID_search USING fts5(TitleSID, content='table1', content_rowid='ID', tokenize='trigram case_sensitive 0', detail=none, columnsize=0);
CREATE VIRTUAL TABLE IF NOT EXISTS table1_ArtistID_search USING fts5(ArtistID, content='table1', content_rowid='ID', tokenize='trigram case_sensitive 0', detail=none, columnsize=0);
CREATE TRIGGER IF NOT EXISTS table1_search_insert AFTER INSERT ON table1 BEGIN INSERT INTO table1_TitleSID_search (rowid, TitleSID) VALUES (new.ID, new.TitleSID); INSERT INTO table1_ArtistID_search (rowid, ArtistID) VALUES (new.ID, new.ArtistID); END;
CREATE TRIGGER IF NOT EXISTS table1_search_delete AFTER DELETE ON table1 BEGIN INSERT INTO table1_TitleSID_search (table1_TitleSID_search, rowid, TitleSID) VALUES ('delete', old.ID, old.TitleSID); INSERT INTO table1_ArtistID_search (table1_ArtistID_search, rowid, ArtistID) VALUES ('delete', old.ID, old.ArtistID); END;
CREATE TRIGGER IF NOT EXISTS table1_search_update AFTER UPDATE OF ID, TitleSID, ArtistID ON table1 BEGIN INSERT INTO table1_TitleSID_search (table1_TitleSID_search, rowid, TitleSID) SELECT 'delete', old.ID, old.TitleSID WHERE old.ID IS NOT new.ID OR old.TitleSID IS NOT new.TitleSID; INSERT INTO table1_TitleSID_search (rowid, TitleSID) SELECT new.ID, new.TitleSID WHERE old.ID IS NOT new.ID OR old.TitleSID IS NOT new.TitleSID; INSERT INTO table1_ArtistID_search (table1_ArtistID_search, rowid, ArtistID) SELECT 'delete', old.ID, old.ArtistID WHERE old.ID IS NOT new.ID OR old.ArtistID IS NOT new.ArtistID; INSERT INTO table1_ArtistID_search (rowid, ArtistID) SELECT new.ID, new.ArtistID WHERE old.ID IS NOT new.ID OR old.ArtistID IS NOT new.ArtistID; END;
