#include "datafields.h"
#include "appglobals.h"

#include <QMessageBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

DataFields::~DataFields()
{
    Clear();
}

void DataFields::Clear()
{
    qDeleteAll(m_Fields);
    m_Fields.clear();
}

const char* DataFields::QueryText()
{
    return "SELECT coalesce(LanguageStrings.String,BaseStrings.String) as FieldName,BaseStrings.stringID,"
           "Sequence, FromVersion, ToVersion, BaseStrings.Id,BaseStrings.DataType,"
           "coalesce(LanguageStrings.Description,BaseStrings.Description),NoLargeFont,CanBeDial,MinRange,"
           "MaxRange FROM ModelStrings, BaseStrings LEFT OUTER JOIN  LanguageStrings  on "
           "LanguageStrings.BaseId=BaseStrings.Id and languageid=%1 where "
           "BaseStrings.id=ModelStrings.BaseId and BaseStrings.DataField='true'  and modelid=%2 ORDER BY "
           "FieldName";
}

void DataFields::LoadFromDB(QSqlDatabase* pDB)
{
    if (!pDB)
        return;
    if (!pDB->open()) {
        auto* box = new QMessageBox();
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setText(tr("could not access DB!"));
        box->show();
        return;
    }
    {
        QSqlQuery query(*pDB);
        Clear();
        const QString text = QString::fromLatin1(QueryText()).arg(g_iLangID).arg(g_iTargetModel);
        if (query.exec(text)) {
            query.first();
            while (query.isValid()) {
                auto* field = new _DataField;
                field->Name = query.value(0).toString();
                field->BaseId = query.value(5).toInt();
                field->Sequence = query.value(2).toInt();
                field->DataType = query.value(6).toInt();
                field->Description = query.value(7).toString();
                field->NoLargeFont = query.value(8).toBool() ? 1 : 0;
                field->CanBeDial = query.value(9).toBool() ? 1 : 0;
                field->MinRange = query.value(10).toFloat();
                field->MaxRange = query.value(11).toFloat();
                m_Fields.append(field);
                query.next();
            }
        }
    }
    pDB->close();
}

_DataField* DataFields::GetDataField(int iBaseId) const
{
    for (_DataField* field : m_Fields)
        if (field->BaseId == iBaseId)
            return field;
    return nullptr;
}

int DataFields::GetBaseId(int iSequence) const
{
    for (const _DataField* field : m_Fields)
        if (field->Sequence == iSequence)
            return field->BaseId;
    return -1;
}

int MapLangID(int iIndex)
{
    switch (iIndex) {
    case 1:
        return 5; // German
    case 2:
        return 4; // French
    case 3:
        return 6; // Italian
    case 4:
        return 3; // Spanish
    case 6:
        return 2; // Portuguese
    default:
        return 1; // English, Russian (no catalogue texts) and anything else
    }
}
