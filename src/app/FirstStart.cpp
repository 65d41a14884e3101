#include "FirstStart.h"

#include "catalogue/TemplateCatalogue.h"
#include "model/Profile.h"

#include <QCoreApplication>

namespace {

const QString kOfferedKey = QStringLiteral("FSO");
const QString kDefaultTemplateKey = QStringLiteral("STF");

} // namespace

bool FirstStart::isDue(const Profile& profile)
{
    return profile.readInt(kOfferedKey, 0) == 0 &&
           profile.readString(kDefaultTemplateKey, QString()).isEmpty();
}

const QList<FirstStart::Choice>& FirstStart::choices()
{
    static const QList<Choice> list{
        {QCoreApplication::translate("FirstStart", "年賀状・はがき（縦）"),
         QStringLiteral("はがき宛名（縦書き）")},
        {QCoreApplication::translate("FirstStart", "はがき（横）"),
         QStringLiteral("はがき宛名（横書き）")},
        {QCoreApplication::translate("FirstStart", "封筒（長形3号）"),
         QStringLiteral("長形3号封筒宛名（縦書き）")},
        {QCoreApplication::translate("FirstStart", "ラベル（A4 12面）"),
         QStringLiteral("A4ラベル12面")}};
    return list;
}

QString FirstStart::templatePath(const Choice& choice)
{
    return TemplateCatalogue::catalogueTemplate(choice.templateTitle);
}

void FirstStart::answer(Profile& profile, const QString& templatePath)
{
    if (!templatePath.isEmpty())
        profile.writeString(kDefaultTemplateKey, templatePath);
    profile.writeInt(kOfferedKey, 1);
}
