#pragma once

// A new, empty document over settings kept in memory, whose undo snapshots and other data
// go to a private temporary folder that is removed with it.

#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"

#include <QTemporaryDir>

#include <memory>

struct MemoryDocument
{
    QTemporaryDir dir;
    MemoryProfile profile;
    std::unique_ptr<CORINOTEDoc> doc;

    MemoryDocument()
    {
        doc = std::make_unique<CORINOTEDoc>(&profile);
        doc->dataFolder = dir.path();
        doc->newDocument();
    }
};
