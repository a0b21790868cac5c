-- What the login 'sa' may do in the catalogue's database, and nothing more:
-- connect, and read, add, change and delete the records of table1, taking
-- new IDs from its sequence. It owns nothing, so it cannot alter or drop the
-- table, and it may create nothing there (no tables, schemas or temporary
-- tables). Run by the catalogue's owner, in that database, after the table
-- exists; running it again changes nothing.
DO $$ BEGIN EXECUTE format('REVOKE CREATE, TEMPORARY ON DATABASE %I FROM PUBLIC', current_database()); END $$;
DO $$ BEGIN EXECUTE format('GRANT CONNECT ON DATABASE %I TO sa', current_database()); END $$;
REVOKE CREATE ON SCHEMA public FROM PUBLIC;
GRANT USAGE ON SCHEMA public TO sa;
REVOKE ALL ON table1 FROM sa;
GRANT SELECT, INSERT, UPDATE, DELETE ON table1 TO sa;
REVOKE ALL ON SEQUENCE table1_id_seq FROM sa;
GRANT USAGE ON SEQUENCE table1_id_seq TO sa;
