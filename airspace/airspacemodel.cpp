#include "airspacemodel.h"
#include "airspace.h"
#include "airspacestore.h"

#include <QFileInfo>

AirspaceModel::AirspaceModel(AirspaceStore* pStore, QObject* parent)
    : QAbstractItemModel(parent)
    , store(pStore)
{
    Rebuild();
}

void AirspaceModel::Rebuild()
{
    shown = QVector<QVector<int>>(store->FileCount());
    rowOfAirspace.fill(-1, store->AirspaceCount());
    auto add = [this](int a) {
        QVector<int>& rows = shown[store->Airspace(a).file];
        rowOfAirspace[a] = rows.size();
        rows.append(a);
    };
    if (bAll) {
        for (int a = 0; a < store->AirspaceCount(); ++a)
            add(a);
    } else {
        for (const int a : qAsConst(only))
            if (a < store->AirspaceCount())
                add(a);
    }
}

void AirspaceModel::Reload()
{
    beginResetModel();
    Rebuild();
    endResetModel();
}

void AirspaceModel::ShowOnly(const QVector<int>& airspaces, bool bShowAll)
{
    only = airspaces;
    bAll = bShowAll;
    Reload();
}

bool AirspaceModel::HasWarningsRow(int iFile) const
{
    return !store->File(iFile).warnings.isEmpty();
}

QModelIndex AirspaceModel::AirspaceIndex(int iAirspace, int column) const
{
    if (iAirspace < 0 || iAirspace >= rowOfAirspace.size() || rowOfAirspace.at(iAirspace) < 0)
        return QModelIndex();
    return createIndex(rowOfAirspace.at(iAirspace), column, Id(AirspaceLevel, store->Airspace(iAirspace).file));
}

int AirspaceModel::AirspaceOf(const QModelIndex& index) const
{
    if (!index.isValid() || LevelOf(index) != AirspaceLevel)
        return -1;
    const QVector<int>& rows = shown.at(ValueOf(index));
    return index.row() < rows.size() ? rows.at(index.row()) : -1;
}

int AirspaceModel::FileOf(const QModelIndex& index) const
{
    return index.isValid() && LevelOf(index) == FileLevel ? index.row() : -1;
}

QModelIndex AirspaceModel::FileIndex(int iFile) const
{
    return index(iFile, 0);
}

QModelIndex AirspaceModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= ColumnCount || row >= rowCount(parent))
        return QModelIndex();
    if (!parent.isValid())
        return createIndex(row, column, Id(FileLevel, 0));
    switch (LevelOf(parent)) {
    case FileLevel:
        return createIndex(row, column, Id(AirspaceLevel, parent.row()));
    case AirspaceLevel: {
        const int a = AirspaceOf(parent);
        if (a >= 0)
            return createIndex(row, column, Id(ShapeLevel, a));
        return createIndex(row, column, Id(WarningLevel, ValueOf(parent)));
    }
    default:
        return QModelIndex();
    }
}

QModelIndex AirspaceModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return QModelIndex();
    switch (LevelOf(child)) {
    case AirspaceLevel:
        return createIndex(ValueOf(child), 0, Id(FileLevel, 0));
    case ShapeLevel:
        return AirspaceIndex(ValueOf(child));
    case WarningLevel:
        return createIndex(shown.at(ValueOf(child)).size(), 0, Id(AirspaceLevel, ValueOf(child)));
    default:
        return QModelIndex();
    }
}

int AirspaceModel::rowCount(const QModelIndex& parent) const
{
    // Files as of the last Reload: a file being read is not shown yet.
    if (!parent.isValid())
        return shown.size();
    if (parent.column() != 0)
        return 0;
    switch (LevelOf(parent)) {
    case FileLevel:
        return shown.at(parent.row()).size() + (HasWarningsRow(parent.row()) ? 1 : 0);
    case AirspaceLevel: {
        const int a = AirspaceOf(parent);
        return a >= 0 ? store->Airspace(a).shapeCount : store->File(ValueOf(parent)).warnings.size();
    }
    default:
        return 0;
    }
}

int AirspaceModel::columnCount(const QModelIndex&) const
{
    return ColumnCount;
}

namespace {

QString Metres(float m)
{
    return QString::number(m, 'f', 0);
}

} // namespace

QVariant AirspaceModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int col = index.column();
    switch (LevelOf(index)) {
    case FileLevel: {
        const AirFile& f = store->File(index.row());
        if (role == Qt::CheckStateRole && col == NameColumn)
            return f.checked ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::ToolTipRole && col == NameColumn)
            return f.error.isEmpty() ? f.path : tr("This file could not be read: %1").arg(f.error);
        if (role != Qt::DisplayRole)
            return QVariant();
        if (col == NameColumn)
            return f.path;
        if (col == ClassColumn)
            return !f.error.isEmpty()     ? tr("not read")
                   : f.warnings.isEmpty() ? QVariant()
                                          : tr("%n warning(s)", nullptr, f.warnings.size());
        if (col == BytesColumn) {
            int bytes = 0;
            for (int a = f.firstAirspace; a < f.firstAirspace + f.airspaceCount; ++a)
                bytes += store->Airspace(a).checked ? store->Cost(a) : 0;
            return bytes;
        }
        return QVariant();
    }
    case AirspaceLevel: {
        const int a = AirspaceOf(index);
        if (a < 0) {
            if (role == Qt::DisplayRole && col == NameColumn)
                return tr("Warnings");
            return QVariant();
        }
        const AirRecord& r = store->Airspace(a);
        if (role == Qt::CheckStateRole && col == NameColumn)
            return r.checked ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::ToolTipRole && col == NameColumn)
            return AirSpace::tr("Name:<b>%1</b><br>Class:<b>%2</b><br>Floor:%3<br>Ceiling:%4<br>")
                .arg(r.name.toHtmlEscaped(), store->Token(r.token).toHtmlEscaped(), QString::number(r.floor, 'g', 6),
                     QString::number(r.ceiling, 'g', 6));
        if (role != Qt::DisplayRole)
            return QVariant();
        switch (col) {
        case NameColumn:
            return r.name;
        case ClassColumn:
            return r.classId >= 0 ? store->ClassName(r.classId) : store->Token(r.token);
        case FloorColumn:
            return Metres(r.floor);
        case CeilingColumn:
            return Metres(r.ceiling);
        case BytesColumn:
            return r.bytes;
        default:
            return QVariant();
        }
    }
    case ShapeLevel: {
        if (role != Qt::DisplayRole)
            return QVariant();
        const AirRecord& r = store->Airspace(ValueOf(index));
        const AirShape& s = store->Shape(r.firstShape + index.row());
        static const char* const labels[] = {"point", "pointZ1", "pointX", "pointZ2", "circle", "arc"};
        if (col == NameColumn)
            return QLatin1String(labels[s.label]);
        if (col == ClassColumn)
            return QStringLiteral("%1, %2")
                .arg(s.lat * R8_DEG_PER_RAD, 0, 'f', 5)
                .arg(s.lon * R8_DEG_PER_RAD, 0, 'f', 5);
        if (col == FloorColumn && s.arc >= 0)
            return tr("%1 km").arg(store->ArcOf(s).radius, 0, 'f', 3);
        if (col == BytesColumn)
            return s.kind == AirNodePoint    ? R8_POINT_BYTES
                   : s.kind == AirNodeCircle ? R8_CIRCLE_BYTES
                                             : R8_ARC_BYTES;
        return QVariant();
    }
    case WarningLevel: {
        const AirWarning& w = store->File(ValueOf(index)).warnings.at(index.row());
        if ((role == Qt::DisplayRole || role == Qt::ToolTipRole) && col == NameColumn)
            return tr("line %1: %2").arg(w.line).arg(w.message);
        return QVariant();
    }
    }
    return QVariant();
}

void AirspaceModel::FileChecksChanged(int iFile)
{
    const QModelIndex file = index(iFile, 0);
    emit dataChanged(file, index(iFile, ColumnCount - 1));
    const int rows = shown.at(iFile).size();
    if (rows > 0)
        emit dataChanged(index(0, 0, file), index(rows - 1, ColumnCount - 1, file), {Qt::CheckStateRole});
}

void AirspaceModel::RefreshChecks()
{
    for (int f = 0; f < store->FileCount(); ++f)
        FileChecksChanged(f);
    emit checksChanged();
}

bool AirspaceModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != NameColumn)
        return false;
    const bool bChecked = value.toInt() == Qt::Checked;
    const int file = FileOf(index);
    if (file >= 0) {
        store->SetFileChecked(file, bChecked);
        FileChecksChanged(file);
        emit checksChanged();
        return true;
    }
    const int a = AirspaceOf(index);
    if (a < 0)
        return false;
    store->SetAirspaceChecked(a, bChecked);
    FileChecksChanged(store->Airspace(a).file);
    emit checksChanged();
    return true;
}

Qt::ItemFlags AirspaceModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == NameColumn && (FileOf(index) >= 0 || AirspaceOf(index) >= 0))
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant AirspaceModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case NameColumn:
        return tr("Airspace");
    case ClassColumn:
        return tr("Class");
    case FloorColumn:
        return tr("Floor (m)");
    case CeilingColumn:
        return tr("Ceiling (m)");
    case BytesColumn:
        return tr("Bytes");
    default:
        return QVariant();
    }
}
