#pragma once

#include "render/picture_export.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace brindo::cli {

// One document to render and the picture to write for it.
struct RenderInput {
    QString file;    // as given; "-" for standard input
    QString output;  // "-" for standard output
    QString problem; // why it is not rendered at all; empty when it is
};

// The pictures of several documents in one folder, each named after its
// document with the format's extension ("a/look.BRD" -> "DIR/look.png"). A
// document whose picture would replace an earlier document's picture, or the
// document itself, is not rendered: its problem says why.
QList<RenderInput> inputsForFolder(const QStringList& documents, const QString& folder,
                                   PictureFormat format);

// "-j4" as "-j 4", as other programs take it.
QStringList splitJobCount(const QStringList& arguments);

} // namespace brindo::cli
