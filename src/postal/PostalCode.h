#pragma once

#include <QString>

// Postal codes as the address book stores them: "NNN-NNNN" in half-width digits, the one
// form whose 8 bytes fill the seven digit boxes of a card (a code of any other length
// prints blank boxes).
class PostalCode
{
public:
    // The seven digits of a code typed in any of the usual ways: half- or full-width
    // digits, with a hyphen (also "－", "ー", "‐", "−"), a space or nothing between the
    // third and the fourth digit, with a leading "〒" and surrounding spaces. Empty when
    // the text is no complete code ("164-001", "16-40013", "1640013x").
    static QString digits(const QString& text);

    // The stored form "NNN-NNNN" of such a text, or empty when it is no complete code.
    static QString normalised(const QString& text);

    // What the editor and the import store: the normalised form when there is one, else
    // the text as typed, so that nothing the user wrote is lost.
    static QString storedForm(const QString& text);

    // Whether the text is exactly "NNN-NNNN" with half-width digits, the form the digit
    // boxes print. An empty code does not fill them either.
    static bool fillsBoxes(const QString& text);

    // Whether a code that is not empty is stored in a form the boxes cannot print: what
    // the address list marks.
    static bool isMalformed(const QString& text) { return !text.isEmpty() && !fillsBoxes(text); }

    // A hyphen or dash of any width, or the long vowel mark an input method gives for "-".
    static bool isDash(QChar c);

    // "NNN-NNNN" from seven digits.
    static QString withHyphen(const QString& sevenDigits);
};
