-- SPDX-License-Identifier: GPL-3.0-or-later
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

-- Indexes that keep a large catalogue quick: the Disk, Occasion and Status
-- label lists, deleting a disk and the Disk ID check read them instead of
-- the whole table. scripts/add-indexes.sh adds these lines (one statement
-- each) to an existing catalogue.
CREATE INDEX IF NOT EXISTS table1_DiskID ON table1 (DiskID);
CREATE INDEX IF NOT EXISTS table1_OccasionID ON table1 (OccasionID);
CREATE INDEX IF NOT EXISTS table1_StatusID ON table1 (StatusID);
-- The titles in lower case, with the disk and the title as stored, so that
-- the titles on several disks are found from the index alone.
CREATE INDEX IF NOT EXISTS table1_TitleSID_lower ON table1 (lower(TitleSID)) INCLUDE (DiskID, TitleSID);
-- Substring search ("Find and Display", finding as you type) in titles and
-- artists: a trigram index of each column (pg_trgm, GIN), which the server
-- uses for the program's LIKE '%text%' by itself. Made where the server
-- offers the extension and the admin may add it; a catalogue without it
-- searches as before.
DO $$ BEGIN IF NOT EXISTS (SELECT FROM pg_available_extensions WHERE name = 'pg_trgm') THEN RAISE WARNING 'The server lacks the extension pg_trgm (Debian package postgresql-contrib): finding in titles and artists reads the whole table.'; RETURN; END IF; BEGIN CREATE EXTENSION IF NOT EXISTS pg_trgm; EXCEPTION WHEN insufficient_privilege THEN RAISE WARNING 'Only the owner of the database or a superuser may add the extension pg_trgm: finding in titles and artists reads the whole table.'; RETURN; END; CREATE INDEX IF NOT EXISTS table1_TitleSID_trgm ON table1 USING gin (TitleSID gin_trgm_ops); CREATE INDEX IF NOT EXISTS table1_ArtistID_trgm ON table1 USING gin (ArtistID gin_trgm_ops); END $$;
