#include "app/start_arguments.h"

#include "files/message_text.h"

#include <QObject>

namespace brindo {

StartArguments parseStartArguments(const QStringList& arguments) {
    const qsizetype optionsEnd = arguments.indexOf(QStringLiteral("--"));
    const QStringList options = arguments.first(optionsEnd < 0 ? arguments.size() : optionsEnd);
    for (const QString& option : options) {
        if (option == u"--help" || option == u"-h") {
            return {StartArguments::Action::Help, {}, {}};
        }
        if (option == u"--version") {
            return {StartArguments::Action::Version, {}, {}};
        }
    }
    QStringList documents;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const bool beforeEnd = optionsEnd < 0 || i < optionsEnd;
        if (i == optionsEnd) {
            continue;
        }
        if (beforeEnd && argument.startsWith(u'-') && argument.size() > 1) {
            return {StartArguments::Action::UsageError,
                    {},
                    QObject::tr("unknown option \"%1\"").arg(fitForMessage(argument))};
        }
        documents.append(argument);
    }
    if (documents.size() > 1) {
        return {StartArguments::Action::UsageError,
                {},
                QObject::tr("one document at most, not %1 (%2)")
                    .arg(documents.size())
                    .arg(fewNames(documents))};
    }
    return {StartArguments::Action::Run, documents.value(0), {}};
}

} // namespace brindo
