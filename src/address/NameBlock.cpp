#include "NameBlock.h"

#include "CAddressData.h"

namespace {

constexpr QChar kLineBreak = u'\n';
constexpr QChar kTab = u'\t';

bool isSpace(QChar c)
{
    return c == u' ' || c == u'　';
}

// The index of the first space, or the text's length.
qsizetype spaceIn(const QString& text)
{
    qsizetype at = 0;
    while (at < text.size() && !isSpace(text.at(at)))
        ++at;
    return at;
}

} // namespace

bool NameBlock::isField(const QString& attribute)
{
    return attribute == u"宛名(R)" || attribute == u"宛名(S)" || attribute == u"宛名会社(R)" ||
           attribute == u"宛名会社(S)";
}

NameBlock NameBlock::fromRecord(const CAddressData& records, int record, bool withCompany)
{
    NameBlock block;
    const auto field = [&](int column) { return records.field(record, column).trimmed(); };
    if (withCompany && !field(CAddressData::Company).isEmpty()) {
        block.company.append(field(CAddressData::Company));
        QString office = field(CAddressData::Department);
        const QString position = field(CAddressData::Position);
        if (!office.isEmpty() && !position.isEmpty())
            office += u'　';
        office += position;
        if (!office.isEmpty())
            block.company.append(office);
    }

    // trimmed() knows the ideographic space as white space too.
    const QString name = field(CAddressData::Name);
    Name main;
    const qsizetype space = spaceIn(name);
    main.surname = name.left(space);
    main.given = name.mid(space).trimmed();
    main.honorific = field(CAddressData::Honorific);
    if (!name.isEmpty())
        block.names.append(main);

    for (int k = 0; k < 5; ++k) {
        const int column = CAddressData::JointName1 + 2 * k;
        const QString joint = field(column);
        if (joint.isEmpty())
            continue;
        // A joint name written with a space has a surname of its own (鈴木 花子); an
        // empty honorific, as imported files leave it, takes the main one.
        const qsizetype at = spaceIn(joint);
        const QString honorific = field(column + 1);
        block.names.append({at < joint.size() ? joint.left(at) : QString(),
                            at < joint.size() ? joint.mid(at).trimmed() : joint,
                            honorific.isEmpty() ? main.honorific : honorific});
    }
    return block;
}

void NameBlock::fillJointHonorifics(QStringList& values)
{
    if (values.size() < CAddressData::TextColumnCount)
        return;
    const QString main = values.at(CAddressData::Honorific);
    for (int k = 0; k < 5; ++k) {
        const int column = CAddressData::JointName1 + 2 * k;
        if (!values.at(column).trimmed().isEmpty() && values.at(column + 1).trimmed().isEmpty())
            values[column + 1] = main;
    }
}

QString NameBlock::toText() const
{
    QStringList lines = company;
    for (const Name& n : names)
        lines.append(n.surname + kTab + n.given + kTab + n.honorific);
    return lines.join(kLineBreak);
}

NameBlock NameBlock::fromText(const QString& text)
{
    NameBlock block;
    if (text.isEmpty())
        return block;
    const QStringList lines = text.split(kLineBreak);
    for (const QString& line : lines) {
        const QStringList parts = line.split(kTab);
        if (parts.size() == 3) {
            block.names.append({parts.at(0), parts.at(1), parts.at(2)});
        } else if (parts.size() == 1 && block.names.isEmpty() && lines.size() > 1) {
            block.company.append(line);
        } else {
            // Typed by hand: the whole line as one name.
            block.names.append({QString(), QString(line).replace(kTab, u' '), QString()});
        }
    }
    return block;
}
