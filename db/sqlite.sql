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
-- The kana rows: a range of kana in character-code order, listed so.
CREATE INDEX PersonKanaOrder ON Person (Kana, CureNo);

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

-- Treatment plans, one row per user and registration date (kept so by the
-- editor's save). The header columns copy the user as the plan was made;
-- PlanData is the 3700-byte plan body in its fixed layout.
CREATE TABLE RihaPlan (
    PlanNo INTEGER PRIMARY KEY AUTOINCREMENT,
    CureNo INTEGER,
    PlanRegistDay TIMESTAMP,
    PlanEndDay TIMESTAMP,
    Name VARCHAR(50),
    Sex INTEGER,
    Birth TIMESTAMP,
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
    CreateDay TIMESTAMP,
    Updator VARCHAR(30),
    UpdateDay TIMESTAMP,
    PlanData BLOB
);
CREATE INDEX RihaPlanUser ON RihaPlan (CureNo, PlanRegistDay);

-- The body-figure marks and paralysis overlays of a plan, drawn in AutoNo
-- order. Parts: 0 joint, 1 muscle, 2 pain, 3 overlay; Side: 0 front, 1 back;
-- Corner: the overlay's quarter, -1 for a mark; X, Y: a mark's top left,
-- -1 for an overlay.
CREATE TABLE Figure (
    AutoNo INTEGER PRIMARY KEY AUTOINCREMENT,
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
    ReserveNo INTEGER PRIMARY KEY AUTOINCREMENT,
    ReserveDay TIMESTAMP,
    StuffCode INTEGER,
    StartTime TIMESTAMP,
    WorkingMin INTEGER,
    Capacity INTEGER
);
CREATE INDEX TimeTableStaffDay ON TimeTable (StuffCode, ReserveDay);
CREATE INDEX TimeTableDay ON TimeTable (ReserveDay);

-- Bookings of users into slots; a user is booked at most once per slot, and
-- a booking goes with its slot.
CREATE TABLE Schedule (
    ScheduleNo INTEGER PRIMARY KEY AUTOINCREMENT,
    WorkingNo INTEGER NOT NULL REFERENCES TimeTable (ReserveNo) ON DELETE CASCADE,
    CureNo INTEGER NOT NULL,
    Comment VARCHAR(255),
    CreateDate TIMESTAMP,
    UNIQUE (WorkingNo, CureNo)
);
CREATE INDEX ScheduleUser ON Schedule (CureNo);

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

-- Practice plans, one row per user and plan day (kept so by the editor's
-- save). PrcticeDay is a date without time; PracticeData is the 21480-byte
-- practice record in its fixed layout, of the format DataFormatVersion (30).
CREATE TABLE Practice (
    PractNo INTEGER PRIMARY KEY AUTOINCREMENT,
    CureNo INTEGER,
    PrcticeDay TIMESTAMP,
    DataFormatVersion INTEGER,
    PracticeData BLOB
);
CREATE INDEX PracticeUser ON Practice (CureNo, PrcticeDay);
