#include "appglobals.h"
#include "datafields.h"

QSettings* theSettings = nullptr;
QSqlDatabase* g_pDB = nullptr;
DataFields g_DataFields;
QString strDbName;
int g_iLangID = 1;
int g_iTargetModel = 1;
