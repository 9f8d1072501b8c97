-- The functions of SQLite that the views and the library's statements use, for a PostgreSQL
-- database, with SQLite's meaning. Created before the views.

-- ROUND(x, n) of a floating-point number (PostgreSQL rounds only numerics to places); halves
-- are rounded away from zero, as SQLite does.
CREATE OR REPLACE FUNCTION round(x double precision, places integer) RETURNS double precision
    LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE
    AS 'SELECT round(x::numeric, places)::double precision';

-- INSTR(text, part): the position of the first occurrence of part, from 1; 0 when absent.
CREATE OR REPLACE FUNCTION instr(whole text, part text) RETURNS integer
    LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE
    AS 'SELECT strpos(whole, part)';
