#include "render_inputs.h"

#include "command_line.h"
#include "files/message_text.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>

namespace brindo::cli {

QList<RenderInput> inputsForFolder(const QStringList& documents, const QString& folder,
                                   PictureFormat format) {
    const QString extension =
        format == PictureFormat::Png ? QStringLiteral(".png") : QStringLiteral(".bmp");
    QList<RenderInput> inputs;
    QHash<QString, QString> takenBy; // output -> the document that takes it
    for (const QString& document : documents) {
        const QFileInfo info(document);
        const QString output = QDir(folder).filePath(info.completeBaseName() + extension);
        RenderInput input{document, output, {}};
        const QString earlier = takenBy.value(output);
        if (!earlier.isEmpty()) {
            input.problem =
                QStringLiteral("\"%1\" is not rendered: its picture \"%2\" would "
                               "replace that of \"%3\"; rename it")
                    .arg(fitForMessage(document), fitForMessage(output), fitForMessage(earlier));
        } else if (info.exists() && QFileInfo(output).exists() &&
                   info.canonicalFilePath() == QFileInfo(output).canonicalFilePath()) {
            input.problem = QStringLiteral("\"%1\" is not rendered: its picture would replace "
                                           "it; choose another folder")
                                .arg(fitForMessage(document));
        } else {
            takenBy.insert(output, document);
        }
        inputs.append(input);
    }
    return inputs;
}

QStringList splitJobCount(const QStringList& arguments) {
    QStringList split;
    for (const QString& argument : arguments) {
        const bool glued = argument.size() > 2 && argument.startsWith(QLatin1String("-j")) &&
                           std::all_of(argument.begin() + 2, argument.end(),
                                       [](QChar character) { return character.isDigit(); });
        if (glued) {
            split << argument.first(2) << argument.sliced(2);
        } else {
            split << argument;
        }
    }
    return split;
}

} // namespace brindo::cli
