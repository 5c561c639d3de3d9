-- The word database TavWrd.twl. mkwordbase runs this file on an empty
-- database and then fills the tables from data/words/*.tsv.
--
-- Declared types name the field types the program expects:
--   INTEGER  Long          SMALLINT  Integer       BOOLEAN  Yes/No (-1 / 0)
--   TEXT     Text          LONGTEXT  Memo          DATETIME ISO-8601 text
-- Every text column compares without regard to case (COLLATE NOCASE), as the
-- program's SQL expects. Several readers take fields by position, so the order
-- of the columns below is part of the format: do not reorder them.

-- One row per Greek headword. Positions read by number: 0 Art, 1 Greek,
-- 2 English, 6 WT, 12 Remarks, 14 Sal, 15 ID, 17 AP, 18 PP, 21 Genus,
-- 25 Remarks2. The Spare columns keep those positions and are not used.
-- AP is TEXT so that the auxiliary's "154" compares equal to the number 154.
CREATE TABLE Main (
  Art       TEXT COLLATE NOCASE,      -- 0
  Greek     TEXT COLLATE NOCASE,      -- 1
  English   TEXT COLLATE NOCASE,      -- 2
  Emeans    SMALLINT,                 -- 3  number of English meanings
  PS        TEXT COLLATE NOCASE,      -- 4  present stem
  AAS       TEXT COLLATE NOCASE,      -- 5  active aorist stem
  WT        TEXT COLLATE NOCASE,      -- 6
  PAS       TEXT COLLATE NOCASE,      -- 7  passive aorist stem
  ISKLIN    BOOLEAN,                  -- 8  a Klino or KlinoMenos row exists
  ISKONJ    BOOLEAN,                  -- 9  a KonT1..KonT4 row exists
  MadeDate  DATETIME,                 -- 10
  Spare11   TEXT COLLATE NOCASE,      -- 11
  Remarks   TEXT COLLATE NOCASE,      -- 12
  Spare13   TEXT COLLATE NOCASE,      -- 13
  Sal       TEXT COLLATE NOCASE,      -- 14 sort key of Greek
  ID        INTEGER PRIMARY KEY,      -- 15
  Spare16   TEXT COLLATE NOCASE,      -- 16
  AP        TEXT COLLATE NOCASE,      -- 17 active form; NULL: no active voice
  PP        TEXT COLLATE NOCASE,      -- 18 passive form; NULL: no passive voice
  Spare19   TEXT COLLATE NOCASE,      -- 19
  Spare20   TEXT COLLATE NOCASE,      -- 20
  Genus     SMALLINT,                 -- 21 0 masc., 1 fem., 2 neut., 99 none
  Spare22   TEXT COLLATE NOCASE,      -- 22
  Spare23   TEXT COLLATE NOCASE,      -- 23
  Spare24   TEXT COLLATE NOCASE,      -- 24
  Remarks2  TEXT COLLATE NOCASE       -- 25
);
CREATE INDEX Main_Sal ON Main (Sal);
CREATE INDEX Main_Greek ON Main (Greek);
CREATE INDEX Main_WT ON Main (WT);

-- Conjugation tables: KonT1 present, KonT2 simple past (aorist), KonT3 past
-- (imperfect), KonT4 aorist subjunctive. Positions 0 ID, 1 WT, 2-7 active,
-- 8 Greek, 9-14 passive.
CREATE TABLE KonT1 (
  ID INTEGER, WT TEXT COLLATE NOCASE,
  S1a TEXT COLLATE NOCASE, S2a TEXT COLLATE NOCASE, S3a TEXT COLLATE NOCASE,
  P1a TEXT COLLATE NOCASE, P2a TEXT COLLATE NOCASE, P3a TEXT COLLATE NOCASE,
  Greek TEXT COLLATE NOCASE,
  S1p TEXT COLLATE NOCASE, S2p TEXT COLLATE NOCASE, S3p TEXT COLLATE NOCASE,
  P1p TEXT COLLATE NOCASE, P2p TEXT COLLATE NOCASE, P3p TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX KonT1_ID ON KonT1 (ID);

CREATE TABLE KonT2 (
  ID INTEGER, WT TEXT COLLATE NOCASE,
  S1a TEXT COLLATE NOCASE, S2a TEXT COLLATE NOCASE, S3a TEXT COLLATE NOCASE,
  P1a TEXT COLLATE NOCASE, P2a TEXT COLLATE NOCASE, P3a TEXT COLLATE NOCASE,
  Greek TEXT COLLATE NOCASE,
  S1p TEXT COLLATE NOCASE, S2p TEXT COLLATE NOCASE, S3p TEXT COLLATE NOCASE,
  P1p TEXT COLLATE NOCASE, P2p TEXT COLLATE NOCASE, P3p TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX KonT2_ID ON KonT2 (ID);

CREATE TABLE KonT3 (
  ID INTEGER, WT TEXT COLLATE NOCASE,
  S1a TEXT COLLATE NOCASE, S2a TEXT COLLATE NOCASE, S3a TEXT COLLATE NOCASE,
  P1a TEXT COLLATE NOCASE, P2a TEXT COLLATE NOCASE, P3a TEXT COLLATE NOCASE,
  Greek TEXT COLLATE NOCASE,
  S1p TEXT COLLATE NOCASE, S2p TEXT COLLATE NOCASE, S3p TEXT COLLATE NOCASE,
  P1p TEXT COLLATE NOCASE, P2p TEXT COLLATE NOCASE, P3p TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX KonT3_ID ON KonT3 (ID);

-- KonT4 also carries Sal (position 15): a row made from the imperative
-- editor copies it from Main.
CREATE TABLE KonT4 (
  ID INTEGER, WT TEXT COLLATE NOCASE,
  S1a TEXT COLLATE NOCASE, S2a TEXT COLLATE NOCASE, S3a TEXT COLLATE NOCASE,
  P1a TEXT COLLATE NOCASE, P2a TEXT COLLATE NOCASE, P3a TEXT COLLATE NOCASE,
  Greek TEXT COLLATE NOCASE,
  S1p TEXT COLLATE NOCASE, S2p TEXT COLLATE NOCASE, S3p TEXT COLLATE NOCASE,
  P1p TEXT COLLATE NOCASE, P2p TEXT COLLATE NOCASE, P3p TEXT COLLATE NOCASE,
  Sal TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX KonT4_ID ON KonT4 (ID);

-- Declension of nouns and adjectives; the row with ID 99999 holds the
-- definite article (accusative singulars with the optional final n as their
-- fourth character: "to(n)", "th(n)").
CREATE TABLE Klino (
  ID INTEGER, Greek TEXT COLLATE NOCASE, WT TEXT COLLATE NOCASE,
  sMNom TEXT COLLATE NOCASE, sMAck TEXT COLLATE NOCASE, sMGen TEXT COLLATE NOCASE,
  pMNom TEXT COLLATE NOCASE, pMAck TEXT COLLATE NOCASE, pMGen TEXT COLLATE NOCASE,
  sFNom TEXT COLLATE NOCASE, sFAck TEXT COLLATE NOCASE, sFGen TEXT COLLATE NOCASE,
  pFNom TEXT COLLATE NOCASE, pFAck TEXT COLLATE NOCASE, pFGen TEXT COLLATE NOCASE,
  sNNom TEXT COLLATE NOCASE, sNAck TEXT COLLATE NOCASE, sNGen TEXT COLLATE NOCASE,
  pNNom TEXT COLLATE NOCASE, pNAck TEXT COLLATE NOCASE, pNGen TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX Klino_ID ON Klino (ID);

-- Declension of a verb's participle in -menos.
CREATE TABLE KlinoMenos (
  ID INTEGER, Greek TEXT COLLATE NOCASE, WT TEXT COLLATE NOCASE,
  sMNom TEXT COLLATE NOCASE, sMAck TEXT COLLATE NOCASE, sMGen TEXT COLLATE NOCASE,
  pMNom TEXT COLLATE NOCASE, pMAck TEXT COLLATE NOCASE, pMGen TEXT COLLATE NOCASE,
  sFNom TEXT COLLATE NOCASE, sFAck TEXT COLLATE NOCASE, sFGen TEXT COLLATE NOCASE,
  pFNom TEXT COLLATE NOCASE, pFAck TEXT COLLATE NOCASE, pFGen TEXT COLLATE NOCASE,
  sNNom TEXT COLLATE NOCASE, sNAck TEXT COLLATE NOCASE, sNGen TEXT COLLATE NOCASE,
  pNNom TEXT COLLATE NOCASE, pNAck TEXT COLLATE NOCASE, pNGen TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX KlinoMenos_ID ON KlinoMenos (ID);

CREATE TABLE IMPER (
  ID INTEGER, Greek TEXT COLLATE NOCASE, WT TEXT COLLATE NOCASE, Sal TEXT COLLATE NOCASE,
  SiSimpAct TEXT COLLATE NOCASE, SiSimpPas TEXT COLLATE NOCASE,
  SiContAct TEXT COLLATE NOCASE, SiContPas TEXT COLLATE NOCASE,
  PlSimpAct TEXT COLLATE NOCASE, PlSimpPas TEXT COLLATE NOCASE,
  PlContAct TEXT COLLATE NOCASE, PlContPas TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX IMPER_ID ON IMPER (ID);

-- One row per stored inflected form. The four tense tables share their
-- column names, so a form is identified by word, table and column together.
CREATE TABLE FormsAll (
  ID INTEGER,
  GenTem TEXT COLLATE NOCASE,       -- table of the form, or "Main" for a stem
  KasPer TEXT COLLATE NOCASE,       -- column of the form
  Greek TEXT COLLATE NOCASE,        -- the headword
  FormGreek TEXT COLLATE NOCASE     -- the form
);
CREATE UNIQUE INDEX FormsAll_Key ON FormsAll (ID, GenTem, KasPer);
CREATE INDEX FormsAll_KasPer ON FormsAll (KasPer);
CREATE INDEX FormsAll_FormGreek ON FormsAll (FormGreek);

-- The settings row, read by position.
CREATE TABLE Options (
  nbrRepeats    SMALLINT,             -- 0
  nbrWrongs     SMALLINT,             -- 1
  nbrScribble   SMALLINT,             -- 2
  [3rdLang]     TEXT COLLATE NOCASE,  -- 3
  BoChecka      BOOLEAN,              -- 4
  [2ndScribble] TEXT COLLATE NOCASE,  -- 5
  nbrRima       SMALLINT,             -- 6 verbs per round of the verb exercise
  [2ndTavrinel] TEXT COLLATE NOCASE,  -- 7
  boHide3       BOOLEAN               -- 8
);

-- Third languages; position 0 is a running number the program does not use.
CREATE TABLE Languages (
  LangNo INTEGER PRIMARY KEY,
  Name   TEXT COLLATE NOCASE
);

-- Interface texts by caption number.
CREATE TABLE LangCaps (
  [Index] INTEGER,
  English TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX LangCaps_Index ON LangCaps ([Index]);

-- Stored wrong answers.
CREATE TABLE WrongIDs (
  ID       INTEGER,
  MadeDate DATETIME
);
CREATE UNIQUE INDEX WrongIDs_ID ON WrongIDs (ID);

-- One row per English meaning of a word.
CREATE TABLE AllEnglishGreek (
  Sal TEXT COLLATE NOCASE, ID INTEGER, Lat TEXT COLLATE NOCASE,
  Art TEXT COLLATE NOCASE, Greek TEXT COLLATE NOCASE
);
CREATE INDEX AllEnglishGreek_ID ON AllEnglishGreek (ID);
CREATE INDEX AllEnglishGreek_Lat ON AllEnglishGreek (Lat);
CREATE INDEX AllEnglishGreek_Sal ON AllEnglishGreek (Sal);

-- The built-in third language, Swedish: one row per Swedish meaning ...
CREATE TABLE AllSwedishGreek (
  Sal TEXT COLLATE NOCASE, ID INTEGER, Lat TEXT COLLATE NOCASE,
  Art TEXT COLLATE NOCASE, Greek TEXT COLLATE NOCASE
);
CREATE INDEX AllSwedishGreek_ID ON AllSwedishGreek (ID);
CREATE INDEX AllSwedishGreek_Lat ON AllSwedishGreek (Lat);
CREATE INDEX AllSwedishGreek_Sal ON AllSwedishGreek (Sal);

-- ... and one row per word with its Swedish meanings.
CREATE TABLE GreekSwedish (
  ID      INTEGER,
  Lat     TEXT COLLATE NOCASE,
  Means   TEXT COLLATE NOCASE,        -- number of meanings, as digits
  Greek   TEXT COLLATE NOCASE,
  Remarks LONGTEXT COLLATE NOCASE
);
CREATE INDEX GreekSwedish_ID ON GreekSwedish (ID);
