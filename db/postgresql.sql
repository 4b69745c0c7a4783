-- Tables of the main database, PostgreSQL.
--
-- Each table is one block; add new tables at the end, and the same table to
-- sqlite.sql. Names are unquoted (the server folds them to lower case and the
-- program matches field names without regard to case).
-- Types: INTEGER; VARCHAR(n) for texts of at most n characters;
-- TIMESTAMP(3) for dates (the value 0, "none", is 1899-12-30 00:00:00);
-- BOOLEAN; DOUBLE PRECISION; BYTEA. Keys that the database assigns are
-- identity columns, never written by the program and never reused.

-- Staff members: code, name and the short mark shown in schedules.
CREATE TABLE KaigoStuff (
    CD INTEGER NOT NULL PRIMARY KEY,
    StuffName VARCHAR(30),
    KIGO VARCHAR(4)
);

-- Logins: user name, password (plain text) and the name shown after login.
CREATE TABLE LoginUser (
    STAFF_CD VARCHAR(255) NOT NULL PRIMARY KEY,
    PASS_WORD VARCHAR(255),
    LoginNAME VARCHAR(255)
);

-- The facility; its first row names it on printouts.
CREATE TABLE Facilities (
    ID INTEGER GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    FACILITIES_NAME VARCHAR(60)
);

-- Users, keyed by the user number. Kana holds the name in half-width
-- katakana. Dates of "none" (discharge, hospital discharge, weekly wishes)
-- hold the value 0. Reserve01..07 and Funn01..07 are the weekly wishes,
-- Monday to Sunday: start time and minutes.
CREATE TABLE Person (
    CureNo INTEGER GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    Name VARCHAR(20),
    Kana VARCHAR(20),
    Sex INTEGER,
    Birth TIMESTAMP(3),
    YoubinNo VARCHAR(20),
    Address VARCHAR(120),
    TelNo VARCHAR(20),
    FaxNo VARCHAR(20),
    EMail VARCHAR(80),
    distinctive VARCHAR(200),
    HinorikuUserNo INTEGER,
    RihaType INTEGER,
    KubunCode INTEGER,
    KubunDate TIMESTAMP(3),
    ROOM_NO VARCHAR(40),
    Jiritsu_KBN INTEGER,
    Ninchi_KBN INTEGER,
    YOUKAIGO_KBN INTEGER,
    HP_TAISHO_YMD TIMESTAMP(3),
    NYUSHOBI_YMD TIMESTAMP(3),
    TAISHOBI_YMD TIMESTAMP(3),
    Disease1 VARCHAR(50),
    Disease2 VARCHAR(50),
    Disease3 VARCHAR(50),
    Disease4 VARCHAR(50),
    Disease5 VARCHAR(50),
    Disease6 VARCHAR(50),
    Reserve01 TIMESTAMP(3),
    Reserve02 TIMESTAMP(3),
    Reserve03 TIMESTAMP(3),
    Reserve04 TIMESTAMP(3),
    Reserve05 TIMESTAMP(3),
    Reserve06 TIMESTAMP(3),
    Reserve07 TIMESTAMP(3),
    Funn01 INTEGER,
    Funn02 INTEGER,
    Funn03 INTEGER,
    Funn04 INTEGER,
    Funn05 INTEGER,
    Funn06 INTEGER,
    Funn07 INTEGER
);

-- The prefix searches on name, kana and partner number: LIKE uses an index
-- in any database locale only with the pattern operator classes.
CREATE INDEX PersonName ON Person (Name varchar_pattern_ops);
CREATE INDEX PersonKana ON Person (Kana varchar_pattern_ops);
CREATE INDEX PersonHinoriku ON Person ((CAST(HinorikuUserNo AS TEXT)) text_pattern_ops);

-- Stock phrases, grouped by program name and code. The key is also the
-- order in which a group's phrases are listed.
CREATE TABLE Comment (
    CommentIDNo INTEGER GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    ProgramName VARCHAR(50),
    CommentCode INTEGER,
    CommentText VARCHAR(254),
    Creator INTEGER,
    CreateDate TIMESTAMP(3),
    Updator INTEGER,
    UpdateDate TIMESTAMP(3)
);
CREATE INDEX CommentGroup ON Comment (ProgramName, CommentCode);

-- Treatments given, one row each. ReserveNo is the booked slot a row was
-- copied from (-1 for rows entered by hand or imported); the user's register
-- values are a snapshot taken when the row was written. The fourteen flag
-- columns hold "True" or "False" and classify the row by form and category.
CREATE TABLE CureResults (
    ResultNo INTEGER GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    CureDate TIMESTAMP(3),
    ReserveNo INTEGER,
    CureNo INTEGER,
    StuffCode INTEGER,
    StuffName VARCHAR(30),
    StuffKigo VARCHAR(10),
    PStartTime TIMESTAMP(3),
    PMinute INTEGER,
    RStartTime TIMESTAMP(3),
    RMinute INTEGER,
    Comment VARCHAR(255),
    RihaType INTEGER,
    KubunCode INTEGER,
    NyushoTanki VARCHAR(10),
    NyushoNinchi VARCHAR(10),
    NyushoShudan VARCHAR(10),
    NyushoKobetsu VARCHAR(10),
    TankiNyushoTanki VARCHAR(10),
    TankiNyushoNinchi VARCHAR(10),
    TankiNyushoShudan VARCHAR(10),
    TankiNyushoKobetsu VARCHAR(10),
    TsushoTanki VARCHAR(10),
    TsushoNinchi VARCHAR(10),
    TsushoShudan VARCHAR(10),
    TsushoKobetsu VARCHAR(10),
    HoumonTanki VARCHAR(10),
    HoumonNinchi VARCHAR(10),
    KubunDate TIMESTAMP(3),
    Name VARCHAR(20),
    Kana VARCHAR(20),
    Sex INTEGER,
    Birth TIMESTAMP(3),
    ROOM_NO VARCHAR(40),
    Jiritsu_KBN INTEGER,
    Ninchi_KBN INTEGER,
    YOUKAIGO_KBN INTEGER,
    HP_TAISHO_YMD TIMESTAMP(3),
    NYUSHOBI_YMD TIMESTAMP(3),
    TAISHOBI_YMD TIMESTAMP(3),
    LoginCD VARCHAR(20),
    LoginName VARCHAR(20),
    UpdateDate TIMESTAMP(3)
);
-- Months are read as CureDate ranges, per user or for everyone; the copy
-- from bookings finds earlier copies by slot and user.
CREATE INDEX CureResultsMonth ON CureResults (CureDate, CureNo);
CREATE INDEX CureResultsUserMonth ON CureResults (CureNo, CureDate);
CREATE INDEX CureResultsReserve ON CureResults (ReserveNo, CureNo);
