-- Tables of the main database, SQLite.
--
-- Each table is one block; add new tables at the end, and the same table to
-- postgresql.sql. Column names are written as the program names them.
-- Types: INTEGER; VARCHAR(n) for texts of at most n characters (SQLite keeps
-- the length as documentation only); TIMESTAMP for dates, which hold the
-- text "yyyy-MM-dd HH:mm:ss.zzz" written and read by the database layer
-- alone (the value 0, "none", is 1899-12-30 00:00:00.000); BOOLEAN (0/1);
-- DOUBLE; BLOB. Keys that the database assigns use AUTOINCREMENT, so that a
-- deleted row's key is never handed out again.

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
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    FACILITIES_NAME VARCHAR(60)
);

-- Users, keyed by the user number. Kana holds the name in half-width
-- katakana. Dates of "none" (discharge, hospital discharge, weekly wishes)
-- hold the value 0. Reserve01..07 and Funn01..07 are the weekly wishes,
-- Monday to Sunday: start time and minutes.
CREATE TABLE Person (
    CureNo INTEGER PRIMARY KEY AUTOINCREMENT,
    Name VARCHAR(20),
    Kana VARCHAR(20),
    Sex INTEGER,
    Birth TIMESTAMP,
    YoubinNo VARCHAR(20),
    Address VARCHAR(120),
    TelNo VARCHAR(20),
    FaxNo VARCHAR(20),
    EMail VARCHAR(80),
    distinctive VARCHAR(200),
    HinorikuUserNo INTEGER,
    RihaType INTEGER,
    KubunCode INTEGER,
    KubunDate TIMESTAMP,
    ROOM_NO VARCHAR(40),
    Jiritsu_KBN INTEGER,
    Ninchi_KBN INTEGER,
    YOUKAIGO_KBN INTEGER,
    HP_TAISHO_YMD TIMESTAMP,
    NYUSHOBI_YMD TIMESTAMP,
    TAISHOBI_YMD TIMESTAMP,
    Disease1 VARCHAR(50),
    Disease2 VARCHAR(50),
    Disease3 VARCHAR(50),
    Disease4 VARCHAR(50),
    Disease5 VARCHAR(50),
    Disease6 VARCHAR(50),
    Reserve01 TIMESTAMP,
    Reserve02 TIMESTAMP,
    Reserve03 TIMESTAMP,
    Reserve04 TIMESTAMP,
    Reserve05 TIMESTAMP,
    Reserve06 TIMESTAMP,
    Reserve07 TIMESTAMP,
    Funn01 INTEGER,
    Funn02 INTEGER,
    Funn03 INTEGER,
    Funn04 INTEGER,
    Funn05 INTEGER,
    Funn06 INTEGER,
    Funn07 INTEGER
);

-- The prefix searches on name and kana: SQLite's LIKE (which ignores the
-- case of ASCII letters) uses an index only in that collation.
CREATE INDEX PersonName ON Person (Name COLLATE NOCASE);
CREATE INDEX PersonKana ON Person (Kana COLLATE NOCASE);

-- Stock phrases, grouped by program name and code. The key is also the
-- order in which a group's phrases are listed.
CREATE TABLE Comment (
    CommentIDNo INTEGER PRIMARY KEY AUTOINCREMENT,
    ProgramName VARCHAR(50),
    CommentCode INTEGER,
    CommentText VARCHAR(254),
    Creator INTEGER,
    CreateDate TIMESTAMP,
    Updator INTEGER,
    UpdateDate TIMESTAMP
);
CREATE INDEX CommentGroup ON Comment (ProgramName, CommentCode);

-- Treatments given, one row each. ReserveNo is the booked slot a row was
-- copied from (-1 for rows entered by hand or imported); the user's register
-- values are a snapshot taken when the row was written. The fourteen flag
-- columns hold "True" or "False" and classify the row by form and category.
CREATE TABLE CureResults (
    ResultNo INTEGER PRIMARY KEY AUTOINCREMENT,
    CureDate TIMESTAMP,
    ReserveNo INTEGER,
    CureNo INTEGER,
    StuffCode INTEGER,
    StuffName VARCHAR(30),
    StuffKigo VARCHAR(10),
    PStartTime TIMESTAMP,
    PMinute INTEGER,
    RStartTime TIMESTAMP,
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
    KubunDate TIMESTAMP,
    Name VARCHAR(20),
    Kana VARCHAR(20),
    Sex INTEGER,
    Birth TIMESTAMP,
    ROOM_NO VARCHAR(40),
    Jiritsu_KBN INTEGER,
    Ninchi_KBN INTEGER,
    YOUKAIGO_KBN INTEGER,
    HP_TAISHO_YMD TIMESTAMP,
    NYUSHOBI_YMD TIMESTAMP,
    TAISHOBI_YMD TIMESTAMP,
    LoginCD VARCHAR(20),
    LoginName VARCHAR(20),
    UpdateDate TIMESTAMP
);
-- Months are read as CureDate ranges, per user or for everyone; the copy
-- from bookings finds earlier copies by slot and user.
CREATE INDEX CureResultsMonth ON CureResults (CureDate, CureNo);
CREATE INDEX CureResultsUserMonth ON CureResults (CureNo, CureDate);
CREATE INDEX CureResultsReserve ON CureResults (ReserveNo, CureNo);
