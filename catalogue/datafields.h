#pragma once
#include <QCoreApplication>
#include <QList>
#include <QString>

class QSqlDatabase;

// One data field as offered for the current instrument model and language.
struct _DataField {
    QString Name;
    int Sequence = 0;
    int BaseId = 0;
    int DataType = 0;
    int NoLargeFont = 0;
    int CanBeDial = 0;
    QString Description;
    float MinRange = 0.0f;
    float MaxRange = 0.0f;
};

// The field catalogue for one language (g_iLangID) and model (g_iTargetModel),
// in the order of the catalogue query (names sorted byte by byte).
class DataFields
{
    Q_DECLARE_TR_FUNCTIONS(DataFields)

public:
    DataFields() = default;
    ~DataFields();
    DataFields(const DataFields&) = delete;
    DataFields& operator=(const DataFields&) = delete;

    void LoadFromDB(QSqlDatabase* pDB);
    _DataField* GetDataField(int iBaseId) const;
    int GetBaseId(int iSequence) const;

    const QList<_DataField*>& Fields() const { return m_Fields; }
    int count() const { return m_Fields.size(); }
    _DataField* at(int i) const { return m_Fields.at(i); }

    // The catalogue query; %1 language id, %2 model id.
    static const char* QueryText();

private:
    void Clear();
    QList<_DataField*> m_Fields;
};

// Index of the preferences language list -> catalogue language id.
int MapLangID(int iIndex);
