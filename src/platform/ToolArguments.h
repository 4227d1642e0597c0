#pragma once
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace platform {

// Bad command line of a tool (exit status 2); what() says what is wrong.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString &text) : std::runtime_error(text.toStdString()) {}
};

// "N" as a whole number from min to max, or a UsageError naming option.
int integerArgument(const QString &option, const QString &value, int min, int max);

// A tool's arguments one at a time, "--name=value" and "--name value" alike.
class ArgumentCursor {
public:
    explicit ArgumentCursor(const QStringList &arguments) : arguments_(arguments) {}

    // Moves to the next argument; false past the last.
    bool next();

    const QString &argument() const { return arguments_[index_]; } // as given
    const QString &name() const { return name_; }                  // without "=value"
    bool isOption() const { return name_.startsWith(QLatin1Char('-')) && name_.size() > 1; }
    bool hasInlineValue() const { return hasInline_; }

    // The current option's value: after "=", else the next argument.
    QString value();
    int integerValue(int min, int max) { return integerArgument(name_, value(), min, max); }

    // The argument after the current one, without taking it; empty at the end.
    QString following() const;
    // Takes the following argument as the current option's value.
    QString takeFollowing() { return arguments_[++index_]; }

private:
    const QStringList &arguments_;
    int index_ = -1;
    QString name_;
    QString inlineValue_;
    bool hasInline_ = false;
};

} // namespace platform
