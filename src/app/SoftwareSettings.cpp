#include "SoftwareSettings.h"

#include "addressbook/SentHistory.h"
#include "model/CORINOTEDoc.h"
#include "model/Profile.h"
#include "model/UndoSnapshots.h"

SoftwareSettings SoftwareSettings::fromDocument(const CORINOTEDoc& doc)
{
    SoftwareSettings s;
    s.defaultTemplate = doc.profile()->readString(QStringLiteral("STF"), QString());
    s.environment = doc.environment();
    s.askSentHistory = SentHistory::asks(doc.profile());
    s.undoDepth = UndoSnapshots::clampDepth(
        doc.profile()->readInt(UndoSnapshots::depthKey(), UndoSnapshots::DefaultDepth));
    return s;
}

void SoftwareSettings::apply(CORINOTEDoc& doc) const
{
    doc.environment() = environment;
    doc.profile()->writeString(QStringLiteral("STF"), defaultTemplate);
    environment.write(*doc.profile());
    SentHistory::setAsks(doc.profile(), askSentHistory);
    const int depth = UndoSnapshots::clampDepth(undoDepth);
    doc.profile()->writeInt(UndoSnapshots::depthKey(), depth);
    doc.undoSnapshots().setDepth(depth);
}
