#pragma once
#include <QAbstractItemModel>
#include <QVector>

class AirspaceStore;

// The airspace store as a tree: files, then their airspaces (those a filter
// lets through) and a "Warnings" row, then an airspace's shapes or a file's
// warnings. Rows are made on request from the store's arrays, so a file of
// any size costs no per-item memory. Files and airspaces carry check boxes.
class AirspaceModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    enum Column { NameColumn, ClassColumn, FloorColumn, CeilingColumn, BytesColumn, ColumnCount };

    explicit AirspaceModel(AirspaceStore* pStore, QObject* parent = nullptr);

    // After the store gained a file or checks changed behind the model.
    void Reload();
    // Check states changed in the store: rows repaint, checksChanged() follows.
    void RefreshChecks();
    // Only these airspaces are shown (all when bAll).
    void ShowOnly(const QVector<int>& airspaces, bool bAll);

    // The row of an airspace (invalid when hidden), and the airspace of a row
    // (-1 for files, warnings and shapes).
    QModelIndex AirspaceIndex(int iAirspace, int column = 0) const;
    int AirspaceOf(const QModelIndex& index) const;
    int FileOf(const QModelIndex& index) const; // file row, else -1
    QModelIndex FileIndex(int iFile) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // Check states changed (by the user or through setData).
    void checksChanged();

private:
    enum Level : quintptr { FileLevel = 0, AirspaceLevel = 1, ShapeLevel = 2, WarningLevel = 3 };
    static quintptr Id(Level level, int value) { return (quintptr(level) << 32) | quintptr(value); }
    static Level LevelOf(const QModelIndex& index) { return Level(index.internalId() >> 32); }
    static int ValueOf(const QModelIndex& index) { return int(index.internalId() & 0xFFFFFFFFu); }
    bool HasWarningsRow(int iFile) const;
    void Rebuild();
    void FileChecksChanged(int iFile);

    AirspaceStore* store;
    QVector<QVector<int>> shown; // per file: the airspaces shown, in order
    QVector<int> rowOfAirspace;  // -1 when hidden
    QVector<int> only;
    bool bAll = true;
};
