#pragma once
#include <QString>

class QSettings;
class QSqlDatabase;
class DataFields;

// Program-wide objects shared by every part of the designer. They live for
// the whole run; start-up sets the pointers once.
extern QSettings* theSettings;  // organisation "Zarvin", application "R8designer"
extern QSqlDatabase* g_pDB;     // read-only catalogue connection
extern DataFields g_DataFields; // fields for g_iLangID / g_iTargetModel
extern QString strDbName;       // full path of "R8strings.sqlite"
extern int g_iLangID;           // catalogue language id, 1 = English
extern int g_iTargetModel;      // catalogue model id, 1 = Alvo
