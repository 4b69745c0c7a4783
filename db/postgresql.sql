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
-- The kana rows: a range of kana in character-code order, listed so.
CREATE INDEX PersonKanaOrder ON Person (Kana COLLATE "C", CureNo);

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

-- Treatment plans, one row per user and registration date (kept so by the
-- editor's save). The header columns copy the user as the plan was made;
-- PlanData is the 3700-byte plan body in its fixed layout.
CREATE TABLE RihaPlan (
    PlanNo INTEGER GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    CureNo INTEGER,
    PlanRegistDay TIMESTAMP(3),
    PlanEndDay TIMESTAMP(3),
    Name VARCHAR(50),
    Sex INTEGER,
    Birth TIMESTAMP(3),
    RihaType INTEGER,
    KubunCode INTEGER,
    Jiritsu_KBN INTEGER,
    Ninchi_KBN INTEGER,
    YOUKAIGO_KBN INTEGER,
    Disease1 VARCHAR(50),
    Disease2 VARCHAR(50),
    Disease3 VARCHAR(50),
    Disease4 VARCHAR(50),
    Disease5 VARCHAR(50),
    Disease6 VARCHAR(50),
    Creator VARCHAR(30),
    CreateDay TIMESTAMP(3),
    Updator VARCHAR(30),
    UpdateDay TIMESTAMP(3),
    PlanData BYTEA
);
CREATE INDEX RihaPlanUser ON RihaPlan (CureNo, PlanRegistDay);

-- The body-figure marks and paralysis overlays of a plan, drawn in AutoNo
-- order. Parts: 0 joint, 1 muscle, 2 pain, 3 overlay; Side: 0 front, 1 back;
-- Corner: the overlay's quarter, -1 for a mark; X, Y: a mark's top left,
-- -1 for an overlay.
CREATE TABLE Figure (
    AutoNo INTEGER GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    PlanNo INTEGER,
    Parts INTEGER,
    Side INTEGER,
    Corner INTEGER,
    X INTEGER,
    Y INTEGER
);
CREATE INDEX FigurePlan ON Figure (PlanNo);

-- Staff time slots: one row per slot of one staff member on one day. The
-- day has no time part; the start time sits on 1899-12-30.
CREATE TABLE TimeTable (
    ReserveNo INTEGER GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    ReserveDay TIMESTAMP(3),
    StuffCode INTEGER,
    StartTime TIMESTAMP(3),
    WorkingMin INTEGER,
    Capacity INTEGER
);
CREATE INDEX TimeTableStaffDay ON TimeTable (StuffCode, ReserveDay);
CREATE INDEX TimeTableDay ON TimeTable (ReserveDay);

-- Bookings of users into slots; a user is booked at most once per slot, and
-- a booking goes with its slot.
CREATE TABLE Schedule (
    ScheduleNo INTEGER GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    WorkingNo INTEGER NOT NULL REFERENCES TimeTable (ReserveNo) ON DELETE CASCADE,
    CureNo INTEGER NOT NULL,
    Comment VARCHAR(255),
    CreateDate TIMESTAMP(3),
    UNIQUE (WorkingNo, CureNo)
);
CREATE INDEX ScheduleUser ON Schedule (CureNo);

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

-- Practice plans, one row per user and plan day (kept so by the editor's
-- save). PrcticeDay is a date without time; PracticeData is the 21480-byte
-- practice record in its fixed layout, of the format DataFormatVersion (30).
CREATE TABLE Practice (
    PractNo INTEGER GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    CureNo INTEGER,
    PrcticeDay TIMESTAMP(3),
    DataFormatVersion INTEGER,
    PracticeData BYTEA
);
CREATE INDEX PracticeUser ON Practice (CureNo, PrcticeDay);
