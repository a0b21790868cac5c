-- SPDX-License-Identifier: GPL-3.0-or-later
-- What the login 'sa' may do in the catalogue's database, and nothing more:
-- connect, and read, add, change and delete the records of table1, taking
-- new IDs from its sequence. It owns nothing, so it cannot alter or drop the
-- table, and it may create nothing there (no tables, schemas or temporary
-- tables). Run by the catalogue's owner, in that database, after the table
-- exists; running it again changes nothing. One statement per line.
DO $$ BEGIN EXECUTE format('REVOKE CREATE, TEMPORARY ON DATABASE %I FROM PUBLIC', current_database()); END $$;
DO $$ BEGIN EXECUTE format('GRANT CONNECT ON DATABASE %I TO sa', current_database()); END $$;
REVOKE CREATE ON SCHEMA public FROM PUBLIC;
GRANT USAGE ON SCHEMA public TO sa;
-- The IDs are the sequence's alone: sa may neither give a new record an ID
-- of its own (the next record would then collide with it) nor change one.
REVOKE ALL ON table1 FROM sa;
GRANT SELECT, DELETE ON table1 TO sa;
GRANT INSERT (DiskID, PathSID, TitleSID, ExtensionID, FileSizID, FileDatTimID, ArtistID, TotFiles, OccasionID, StatusID) ON table1 TO sa;
GRANT UPDATE (DiskID, PathSID, TitleSID, ExtensionID, FileSizID, FileDatTimID, ArtistID, TotFiles, OccasionID, StatusID) ON table1 TO sa;
REVOKE ALL ON SEQUENCE table1_id_seq FROM sa;
GRANT USAGE ON SEQUENCE table1_id_seq TO sa;
-- Large objects lie beside the tables and outlive Delete All; the program
-- makes none. Only a superuser may take the functions that make them from
-- everyone (they belong to the server); any other owner is told.
DO $$ BEGIN IF (SELECT rolsuper FROM pg_roles WHERE rolname = current_user) THEN REVOKE EXECUTE ON FUNCTION pg_catalog.lo_creat(integer), pg_catalog.lo_create(oid), pg_catalog.lo_from_bytea(oid, bytea), pg_catalog.lo_import(text), pg_catalog.lo_import(text, oid) FROM PUBLIC; ELSE RAISE NOTICE 'Only a superuser may forbid sa to make large objects in %, which would outlive Delete All.', current_database(); END IF; END $$;
