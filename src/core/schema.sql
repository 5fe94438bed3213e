-- The data file of Fennory记账软件. Several books share one file: nearly every
-- table carries BName, the book a row belongs to. Rows refer to each other by
-- name within a book, child records to their parent by ID.
-- Money columns hold exact ten-thousandths of a yuan as INTEGER, and nothing else.
-- Names compare without regard to letter case.
-- Dates are text 'yyyy-mm-dd'.

CREATE TABLE SBook (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BName TEXT COLLATE NOCASE NOT NULL,
    BPass TEXT DEFAULT '',
    BDate TEXT DEFAULT '',
    Remark TEXT DEFAULT '',
    thePX INTEGER NOT NULL DEFAULT 5,
    theJZPX INTEGER NOT NULL DEFAULT 3
);
CREATE UNIQUE INDEX SBook_BName ON SBook(BName);

CREATE TABLE SMRB (
    BName TEXT COLLATE NOCASE
);
-- The remembered book: at most one row.
CREATE UNIQUE INDEX SMRB_One ON SMRB((0));

CREATE TABLE SMRX (
    BName TEXT COLLATE NOCASE NOT NULL,
    BPassKG INTEGER NOT NULL DEFAULT 0,
    BPass TEXT DEFAULT '',
    FName TEXT COLLATE NOCASE DEFAULT '',
    AName TEXT COLLATE NOCASE DEFAULT '',
    IName TEXT COLLATE NOCASE DEFAULT '',
    OName TEXT COLLATE NOCASE DEFAULT '',
    TName TEXT COLLATE NOCASE DEFAULT '',
    PName TEXT COLLATE NOCASE DEFAULT '',
    D_I INTEGER NOT NULL DEFAULT 0,
    D_O INTEGER NOT NULL DEFAULT 0,
    D_C INTEGER NOT NULL DEFAULT 0,
    D_B INTEGER NOT NULL DEFAULT 0,
    D_D INTEGER NOT NULL DEFAULT 0,
    D_T INTEGER NOT NULL DEFAULT 0,
    TX_M INTEGER NOT NULL DEFAULT -1,
    TX_T INTEGER NOT NULL DEFAULT 0, TX_B INTEGER NOT NULL DEFAULT -1
);
CREATE UNIQUE INDEX SMRX_BName ON SMRX(BName);

CREATE TABLE SBase (
    ID INTEGER PRIMARY KEY,
    theBT TEXT DEFAULT ''
);

CREATE TABLE SAType (
    theName TEXT NOT NULL
);

CREATE TABLE SAccount (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    AName TEXT COLLATE NOCASE NOT NULL,
    BName TEXT COLLATE NOCASE NOT NULL,
    thePY TEXT DEFAULT '',
    theState TEXT NOT NULL DEFAULT '启用',
    theCount INTEGER NOT NULL DEFAULT 0,
    Remark TEXT DEFAULT '',
    AMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(AMoney) = 'integer'),
    theType TEXT DEFAULT '现金',
    FName TEXT COLLATE NOCASE DEFAULT ''
);
CREATE UNIQUE INDEX SAccount_Book_Name ON SAccount(BName, AName);

CREATE TABLE SFamily (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    FName TEXT COLLATE NOCASE NOT NULL,
    BName TEXT COLLATE NOCASE NOT NULL,
    thePY TEXT DEFAULT '',
    theGX TEXT DEFAULT '',
    BirDate TEXT DEFAULT '',
    Remark TEXT DEFAULT ''
);
CREATE UNIQUE INDEX SFamily_Book_Name ON SFamily(BName, FName);

CREATE TABLE InD (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BName TEXT COLLATE NOCASE NOT NULL,
    IName TEXT COLLATE NOCASE NOT NULL,
    thePY TEXT DEFAULT '',
    Remark TEXT DEFAULT '',
    theState TEXT NOT NULL DEFAULT '启用',
    theCount INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX InD_Book_Name ON InD(BName, IName);

CREATE TABLE OutD (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BName TEXT COLLATE NOCASE NOT NULL,
    OName TEXT COLLATE NOCASE NOT NULL,
    thePY TEXT DEFAULT '',
    Remark TEXT DEFAULT '',
    theState TEXT NOT NULL DEFAULT '启用',
    theCount INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX OutD_Book_Name ON OutD(BName, OName);

CREATE TABLE TD (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BName TEXT COLLATE NOCASE NOT NULL,
    TName TEXT COLLATE NOCASE NOT NULL,
    thePY TEXT DEFAULT '',
    Remark TEXT DEFAULT '',
    theState TEXT NOT NULL DEFAULT '启用',
    theCount INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX TD_Book_Name ON TD(BName, TName);

CREATE TABLE PD (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BName TEXT COLLATE NOCASE NOT NULL,
    PName TEXT COLLATE NOCASE NOT NULL,
    thePY TEXT DEFAULT '',
    Remark TEXT DEFAULT '',
    theState TEXT NOT NULL DEFAULT '启用',
    theCount INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX PD_Book_Name ON PD(BName, PName);

CREATE TABLE InTable (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BName TEXT COLLATE NOCASE NOT NULL,
    IDate TEXT NOT NULL,
    IName TEXT COLLATE NOCASE DEFAULT '',
    IMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(IMoney) = 'integer'),
    AName TEXT COLLATE NOCASE DEFAULT '',
    FName TEXT COLLATE NOCASE DEFAULT '',
    Remark TEXT DEFAULT ''
);
-- Covering: the statistics and period reports read a book's period from the
-- index alone.
CREATE INDEX InTable_Book_Date ON InTable(BName, IDate, IName, IMoney, AName, FName);
-- The record screens list a book in the order made: no sort needed.
CREATE INDEX InTable_Book ON InTable(BName);
CREATE INDEX InTable_Book_Account ON InTable(BName, AName);

CREATE TABLE OutTable (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BName TEXT COLLATE NOCASE NOT NULL,
    ODate TEXT NOT NULL,
    OName TEXT COLLATE NOCASE DEFAULT '',
    OMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(OMoney) = 'integer'),
    AName TEXT COLLATE NOCASE DEFAULT '',
    FName TEXT COLLATE NOCASE DEFAULT '',
    Remark TEXT DEFAULT ''
);
CREATE INDEX OutTable_Book_Date ON OutTable(BName, ODate, OName, OMoney, AName, FName);
CREATE INDEX OutTable_Book ON OutTable(BName);
CREATE INDEX OutTable_Book_Account ON OutTable(BName, AName);

CREATE TABLE ChangeT (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BName TEXT COLLATE NOCASE NOT NULL,
    OldN TEXT COLLATE NOCASE DEFAULT '',
    NewN TEXT COLLATE NOCASE DEFAULT '',
    CMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(CMoney) = 'integer'),
    CDate TEXT NOT NULL,
    FName TEXT COLLATE NOCASE DEFAULT '',
    Remark TEXT DEFAULT ''
);
CREATE INDEX ChangeT_Book_Date ON ChangeT(BName, CDate);
CREATE INDEX ChangeT_Book ON ChangeT(BName);

CREATE TABLE Borrow (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BName TEXT COLLATE NOCASE NOT NULL,
    BDate TEXT NOT NULL,
    BPro TEXT COLLATE NOCASE DEFAULT '',
    BMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(BMoney) = 'integer'),
    AName TEXT COLLATE NOCASE DEFAULT '',
    FName TEXT COLLATE NOCASE DEFAULT '',
    RMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(RMoney) = 'integer'),
    Remark TEXT DEFAULT ''
);
CREATE INDEX Borrow_Book_Date ON Borrow(BName, BDate);

CREATE TABLE Debt (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BName TEXT COLLATE NOCASE NOT NULL,
    DDate TEXT NOT NULL,
    DPro TEXT COLLATE NOCASE DEFAULT '',
    DMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(DMoney) = 'integer'),
    AName TEXT COLLATE NOCASE DEFAULT '',
    FName TEXT COLLATE NOCASE DEFAULT '',
    RMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(RMoney) = 'integer'),
    Remark TEXT DEFAULT ''
);
CREATE INDEX Debt_Book_Date ON Debt(BName, DDate);

CREATE TABLE BorrowR (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BID INTEGER NOT NULL,
    RDate TEXT NOT NULL,
    RMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(RMoney) = 'integer'),
    AName TEXT COLLATE NOCASE DEFAULT '',
    FName TEXT COLLATE NOCASE DEFAULT '',
    Remark TEXT DEFAULT '',
    BName TEXT COLLATE NOCASE NOT NULL
);
CREATE INDEX BorrowR_BID ON BorrowR(BID);
CREATE INDEX BorrowR_Book_Date ON BorrowR(BName, RDate);

CREATE TABLE DebtR (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    DID INTEGER NOT NULL,
    RDate TEXT NOT NULL,
    RMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(RMoney) = 'integer'),
    AName TEXT COLLATE NOCASE DEFAULT '',
    FName TEXT COLLATE NOCASE DEFAULT '',
    Remark TEXT DEFAULT '',
    BName TEXT COLLATE NOCASE NOT NULL
);
CREATE INDEX DebtR_DID ON DebtR(DID);
CREATE INDEX DebtR_Book_Date ON DebtR(BName, RDate);

CREATE TABLE BList (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BID INTEGER NOT NULL,
    theDate TEXT NOT NULL,
    theMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(theMoney) = 'integer'),
    AName TEXT COLLATE NOCASE DEFAULT '',
    FName TEXT COLLATE NOCASE DEFAULT '',
    Remark TEXT DEFAULT '',
    BName TEXT COLLATE NOCASE NOT NULL
);
CREATE INDEX BList_BID ON BList(BID);

CREATE TABLE DList (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    DID INTEGER NOT NULL,
    theDate TEXT NOT NULL,
    theMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(theMoney) = 'integer'),
    AName TEXT COLLATE NOCASE DEFAULT '',
    FName TEXT COLLATE NOCASE DEFAULT '',
    Remark TEXT DEFAULT '',
    BName TEXT COLLATE NOCASE NOT NULL
);
CREATE INDEX DList_DID ON DList(DID);

CREATE TABLE TList (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    TID INTEGER NOT NULL,
    theDate TEXT NOT NULL,
    theMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(theMoney) = 'integer'),
    AName TEXT COLLATE NOCASE DEFAULT '',
    FName TEXT COLLATE NOCASE DEFAULT '',
    Remark TEXT DEFAULT '',
    BName TEXT COLLATE NOCASE NOT NULL
);
CREATE INDEX TList_TID ON TList(TID);

CREATE TABLE TTable (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BName TEXT COLLATE NOCASE NOT NULL,
    TDate TEXT NOT NULL,
    TName TEXT COLLATE NOCASE DEFAULT '',
    TMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(TMoney) = 'integer'),
    AName TEXT COLLATE NOCASE DEFAULT '',
    FName TEXT COLLATE NOCASE DEFAULT '',
    Remark TEXT DEFAULT '',
    RMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(RMoney) = 'integer')
);
CREATE INDEX TTable_Book_Date ON TTable(BName, TDate);

CREATE TABLE TTableR (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    TID INTEGER NOT NULL,
    RDate TEXT NOT NULL,
    RMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(RMoney) = 'integer'),
    SMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(SMoney) = 'integer'),
    AName TEXT COLLATE NOCASE DEFAULT '',
    FName TEXT COLLATE NOCASE DEFAULT '',
    Remark TEXT DEFAULT '',
    BName TEXT COLLATE NOCASE NOT NULL
);
CREATE INDEX TTableR_TID ON TTableR(TID);
CREATE INDEX TTableR_Book_Date ON TTableR(BName, RDate);

CREATE TABLE UPlan (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BName TEXT COLLATE NOCASE NOT NULL,
    PType TEXT NOT NULL,
    PDate TEXT NOT NULL,
    PName TEXT COLLATE NOCASE DEFAULT '',
    PMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(PMoney) = 'integer'),
    AName TEXT COLLATE NOCASE DEFAULT '',
    FName TEXT COLLATE NOCASE DEFAULT '',
    PState TEXT NOT NULL DEFAULT '否',
    Remark TEXT DEFAULT ''
);
CREATE INDEX UPlan_Book_Date ON UPlan(BName, PDate);

CREATE TABLE UWarn (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BName TEXT COLLATE NOCASE NOT NULL,
    theType TEXT NOT NULL,
    FName TEXT COLLATE NOCASE DEFAULT '',
    WMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(WMoney) = 'integer'),
    Remark TEXT DEFAULT '',
    theState TEXT NOT NULL DEFAULT '启用'
);
CREATE INDEX UWarn_Book_Member ON UWarn(BName, FName);
CREATE UNIQUE INDEX UWarn_One ON UWarn(BName, FName, theType);

CREATE TABLE UList (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theDate TEXT NOT NULL,
    theType TEXT DEFAULT '',
    Remark TEXT DEFAULT '',
    theIn INTEGER NOT NULL DEFAULT 0 CHECK (typeof(theIn) = 'integer'),
    theOut INTEGER NOT NULL DEFAULT 0 CHECK (typeof(theOut) = 'integer'),
    AName TEXT COLLATE NOCASE DEFAULT '',
    AMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(AMoney) = 'integer'),
    FName TEXT COLLATE NOCASE DEFAULT '',
    BName TEXT COLLATE NOCASE NOT NULL,
    theT TEXT DEFAULT '',
    theID INTEGER NOT NULL DEFAULT 0,
    theE TEXT DEFAULT ''
);
CREATE INDEX UList_Book_Date ON UList(BName, theDate);
CREATE INDEX UList_Book_Account ON UList(BName, AName);
CREATE INDEX UList_Book_Member ON UList(BName, FName);
CREATE INDEX UList_Record ON UList(theT, theID);

-- Bills imported from payment services and banks: the rows already booked,
-- per book, by the bill's transaction ID (or its date, amount and parties).
CREATE TABLE IF NOT EXISTS BillSeen (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BName TEXT COLLATE NOCASE NOT NULL,
    Source TEXT NOT NULL,
    TxKey TEXT NOT NULL,
    theDate TEXT DEFAULT ''
);
CREATE UNIQUE INDEX IF NOT EXISTS BillSeen_One ON BillSeen(BName, Source, TxKey);

-- What a bill's own category or payment method is booked as in a book.
CREATE TABLE IF NOT EXISTS BillMap (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BName TEXT COLLATE NOCASE NOT NULL,
    Kind TEXT NOT NULL,
    Source TEXT NOT NULL,
    BillValue TEXT NOT NULL,
    Target TEXT NOT NULL DEFAULT ''
);
CREATE UNIQUE INDEX IF NOT EXISTS BillMap_One ON BillMap(BName, Kind, Source, BillValue);

-- The columns of a bank's statement, named once by the user.
CREATE TABLE IF NOT EXISTS BillLayout (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT COLLATE NOCASE NOT NULL UNIQUE,
    Columns TEXT NOT NULL DEFAULT ''
);

-- The history of a book's actions, to take them back and do them again. Each
-- action is the statements that reverse its changes, in the order made.
CREATE TABLE IF NOT EXISTS UndoAction (
    ID INTEGER PRIMARY KEY,
    BName TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    theTime TEXT NOT NULL DEFAULT '',
    Caption TEXT NOT NULL DEFAULT '',
    Undone INTEGER NOT NULL DEFAULT 0,
    MoneyIn INTEGER NOT NULL DEFAULT 0,
    MoneyOut INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE IF NOT EXISTS UndoLog (
    Seq INTEGER PRIMARY KEY,
    ActionID INTEGER NOT NULL,
    Stmt TEXT NOT NULL
);
CREATE INDEX IF NOT EXISTS UndoLog_Action ON UndoLog(ActionID, Seq);
-- Rows an undo took away by one range (an import's records), kept as they
-- were, without type affinity, to be put back by one statement on redo.
CREATE TABLE IF NOT EXISTS UndoRows (
    ActionID INTEGER NOT NULL,
    Tbl TEXT NOT NULL,
    RowID INTEGER NOT NULL,
    c1, c2, c3, c4, c5, c6, c7, c8, c9, c10, c11, c12, c13, c14, c15, c16, c17, c18, c19, c20
);
CREATE INDEX IF NOT EXISTS UndoRows_Action ON UndoRows(ActionID, Tbl);

-- What each category may cost (支出) or is to bring in (收入) in a month of a
-- year, per book.
CREATE TABLE IF NOT EXISTS Budget (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BName TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    theType TEXT NOT NULL DEFAULT '支出',
    theName TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    theYear INTEGER NOT NULL DEFAULT 0,
    theMonth INTEGER NOT NULL DEFAULT 1 CHECK (theMonth BETWEEN 1 AND 12),
    theMoney INTEGER NOT NULL DEFAULT 0 CHECK (typeof(theMoney) = 'integer')
);
CREATE UNIQUE INDEX IF NOT EXISTS Budget_One ON Budget(BName, theType, theName, theYear, theMonth);

CREATE TABLE SZTable (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theDate TEXT DEFAULT '',
    theSM INTEGER NOT NULL DEFAULT 0 CHECK (typeof(theSM) = 'integer'),
    theSC INTEGER NOT NULL DEFAULT 0 CHECK (typeof(theSC) = 'integer'),
    theZM INTEGER NOT NULL DEFAULT 0 CHECK (typeof(theZM) = 'integer'),
    theZC INTEGER NOT NULL DEFAULT 0 CHECK (typeof(theZC) = 'integer'),
    theJY INTEGER NOT NULL DEFAULT 0 CHECK (typeof(theJY) = 'integer'),
    theBC REAL NOT NULL DEFAULT 0
);

-- Shipped rows.
INSERT INTO SAType(theName) VALUES ('现金');
INSERT INTO SAType(theName) VALUES ('银行卡');
INSERT INTO SAType(theName) VALUES ('信用卡');
INSERT INTO SAType(theName) VALUES ('电子账户');
INSERT INTO SAType(theName) VALUES ('其它');
INSERT INTO SBase(ID, theBT) VALUES (1, '');
