#include "platform/framework/byte_limit_validator.h"

namespace framework {

QValidator::State ByteLimitValidator::validate(QString& input, int& pos) const
{
    qsizetype excess = input.toUtf8().size() - maxBytes_;
    while (excess > 0 && pos > 0) {
        int start = pos - 1;
        if (start > 0 && input[start].isLowSurrogate() && input[start - 1].isHighSurrogate())
            --start;  // a character outside the BMP is two UTF-16 units
        excess -= input.mid(start, pos - start).toUtf8().size();
        input.remove(start, pos - start);
        pos = start;
    }
    return excess > 0 ? Invalid : Acceptable;
}

}  // namespace framework
