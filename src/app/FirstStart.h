#pragma once

#include <QList>
#include <QString>

class Profile;

// The first start of the program (no settings yet) offers what to print: postcards, cards
// across, envelopes or labels, each a template of the bundled catalogue; the choice
// becomes the default template ("STF") that every new document starts from, instead of
// the blank A4 page.
class FirstStart
{
public:
    struct Choice
    {
        QString caption;       // "年賀状・はがき（縦）"
        QString templateTitle; // the catalogue's "はがき宛名（縦書き）"
    };

    // Whether the offer is due: the profile holds neither a default template nor the mark
    // of an offer made before.
    static bool isDue(const Profile& profile);
    // The four choices, in the order shown.
    static const QList<Choice>& choices();
    // The template file of a choice in the installed catalogue; empty when it is missing.
    static QString templatePath(const Choice& choice);
    // Records the answer: the template (none: the blank page stays) and that the offer
    // was made, so that it is not made again.
    static void answer(Profile& profile, const QString& templatePath);
};
