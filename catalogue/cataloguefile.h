#pragma once
#include <QString>

// Makes sure a catalogue file exists for start-up to open. When dbPath is
// missing, the built-in copy (":/R8strings.sqlite") is written there if its
// folder exists and is writable, else into the per-user data folder (a copy
// already there is kept). Returns the path to use; dbPath itself when
// nothing could be written (the load then reports the missing file).
QString EnsureCatalogueFile(const QString& dbPath);
