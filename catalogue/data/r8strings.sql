-- Field catalogue (built into R8strings.sqlite by the build).
PRAGMA foreign_keys=OFF;
BEGIN TRANSACTION;
CREATE TABLE Languages (Id INTEGER PRIMARY KEY, Name VARCHAR);
CREATE TABLE Models (Id INTEGER PRIMARY KEY, Name VARCHAR);
CREATE TABLE BaseStrings (Id INTEGER PRIMARY KEY AUTOINCREMENT, String VARCHAR, stringID VARCHAR,
  DataField BOOL, DataType INTEGER, Description VARCHAR, NoLargeFont BOOL, CanBeDial BOOL DEFAULT 'false',
  MinRange FLOAT, MaxRange FLOAT);
CREATE TABLE ModelStrings (Id INTEGER PRIMARY KEY AUTOINCREMENT, BaseId INTEGER, Sequence INTEGER,
  FromVersion INTEGER, ToVersion INTEGER, ModelId INTEGER);
CREATE UNIQUE INDEX ModelSeq ON ModelStrings (Sequence, ModelId);
CREATE UNIQUE INDEX ModelBase ON ModelStrings (BaseId, ModelId);
CREATE TABLE LanguageStrings (Id INTEGER PRIMARY KEY AUTOINCREMENT, BaseId INTEGER, LanguageId INTEGER,
  String VARCHAR, Description VARCHAR);
CREATE UNIQUE INDEX LangBase ON LanguageStrings (BaseId, LanguageId);
INSERT INTO Languages VALUES (1,'English');
INSERT INTO Models VALUES (1,'R8alvo');
INSERT INTO BaseStrings VALUES (33,'Altitude','ALT','true',1,'Barometric altitude','false','false',NULL,NULL);
INSERT INTO BaseStrings VALUES (105,'Vario','VARIO','true',3,'Vertical speed','false','true',-5,5);
INSERT INTO ModelStrings (BaseId, Sequence, FromVersion, ToVersion, ModelId) VALUES (33,10,0,0,1);
INSERT INTO ModelStrings (BaseId, Sequence, FromVersion, ToVersion, ModelId) VALUES (105,20,0,0,1);
COMMIT;
