#pragma once
// Holds a line edit's text to a number of bytes of its UTF-8 form. Internal to the framework.

#include <QValidator>

namespace framework {

class ByteLimitValidator : public QValidator {
public:
    ByteLimitValidator(int maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}

    // Cuts whole characters from just before the cursor, which is where typed or pasted text
    // ends, until the text fits: a typed character that does not fit is refused, pasted text
    // is cut at the limit.
    State validate(QString& input, int& pos) const override;

private:
    int maxBytes_;
};

}  // namespace framework
