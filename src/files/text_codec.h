#pragma once

#include <QByteArrayView>
#include <QString>

namespace brindo {

// Text of a document field: UTF-8 when the bytes are valid UTF-8, otherwise
// Windows-1252, the 8-bit code page older documents were written in.
QString decodeText(QByteArrayView bytes);

} // namespace brindo
