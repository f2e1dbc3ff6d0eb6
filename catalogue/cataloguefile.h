#pragma once
#include <QString>

// Makes sure a catalogue file exists for start-up to open. When dbPath is
// missing, the built-in copy (":/R8strings.sqlite") is written there, or, if
// that folder is not writable, into the per-user data folder. Returns the
// path to use.
QString EnsureCatalogueFile(const QString& dbPath);
