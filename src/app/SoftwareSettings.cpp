#include "SoftwareSettings.h"

#include "addressbook/SentHistory.h"
#include "model/CORINOTEDoc.h"
#include "model/Profile.h"

SoftwareSettings SoftwareSettings::fromDocument(const CORINOTEDoc& doc)
{
    SoftwareSettings s;
    s.defaultTemplate = doc.profile()->readString(QStringLiteral("STF"), QString());
    s.environment = doc.environment();
    s.askSentHistory = SentHistory::asks(doc.profile());
    return s;
}

void SoftwareSettings::apply(CORINOTEDoc& doc) const
{
    doc.environment() = environment;
    doc.profile()->writeString(QStringLiteral("STF"), defaultTemplate);
    environment.write(*doc.profile());
    SentHistory::setAsks(doc.profile(), askSentHistory);
}
