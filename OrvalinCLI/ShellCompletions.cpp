#include "ShellCompletions.h"

namespace {

// "--name" for long names, "-n" for one-letter ones.
QStringList dashedNames(const QCommandLineOption& option)
{
    QStringList names;
    for (const QString& name : option.names())
        names.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    return names;
}

// Inside single quotes of any of the three shells.
QString quoted(QString text)
{
    return QLatin1Char('\'') + text.replace(u'\'', QStringLiteral("'\\''")) + QLatin1Char('\'');
}

// zsh's _arguments and _describe read ':' and brackets in a description as syntax.
QString zshDescription(QString text)
{
    return text.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u':', QStringLiteral("\\:"))
        .replace(u'[', QStringLiteral("\\["))
        .replace(u']', QStringLiteral("\\]"));
}

QStringList commandNames(const QList<Cli::DescribedCommand>& commands)
{
    QStringList names;
    for (const Cli::DescribedCommand& command : commands)
        names.append(command.name);
    return names;
}

} // namespace

namespace ShellCompletions {

QString bash(const QList<Cli::DescribedCommand>& commands)
{
    QString script
        = QStringLiteral("# bash completion for orvalin-cli\n"
                         "_orvalin_cli()\n"
                         "{\n"
                         "    local current=${COMP_WORDS[COMP_CWORD]}\n"
                         "    if [ \"$COMP_CWORD\" -eq 1 ]; then\n"
                         "        COMPREPLY=($(compgen -W '%1 --help --version' -- \"$current\"))\n"
                         "        return\n"
                         "    fi\n"
                         "    local options=\n"
                         "    case ${COMP_WORDS[1]} in\n")
              .arg(commandNames(commands).join(u' '));
    for (const Cli::DescribedCommand& command : commands) {
        QStringList names;
        for (const QCommandLineOption& option : command.help.options)
            names += dashedNames(option);
        script += QStringLiteral("    %1) options='%2' ;;\n").arg(command.name, names.join(u' '));
    }
    script += QStringLiteral("    esac\n"
                             "    # Anything but a flag is a folder or a file: bash's own file "
                             "completion (-o default).\n"
                             "    if [[ $current == -* ]]; then\n"
                             "        COMPREPLY=($(compgen -W \"$options\" -- \"$current\"))\n"
                             "    fi\n"
                             "}\n"
                             "complete -o default -F _orvalin_cli orvalin-cli\n");
    return script;
}

QString zsh(const QList<Cli::DescribedCommand>& commands)
{
    QString script = QStringLiteral("#compdef orvalin-cli\n"
                                    "# zsh completion for orvalin-cli\n"
                                    "_orvalin_cli() {\n"
                                    "    local -a commands\n"
                                    "    commands=(\n");
    for (const Cli::DescribedCommand& command : commands)
        script += QStringLiteral("        %1\n")
                      .arg(quoted(command.name + u':' + zshDescription(command.summary)));
    script += QStringLiteral("    )\n"
                             "    if (( CURRENT == 2 )); then\n"
                             "        _describe -t commands 'orvalin-cli command' commands\n"
                             "        _arguments '--help[show the usage]' '--version[show the "
                             "version]'\n"
                             "        return\n"
                             "    fi\n"
                             "    words=(\"${(@)words[2,-1]}\")\n"
                             "    (( CURRENT-- ))\n"
                             "    case $words[1] in\n");
    for (const Cli::DescribedCommand& command : commands) {
        QStringList specs;
        for (const QCommandLineOption& option : command.help.options) {
            const QString description = zshDescription(option.description());
            const QString value = option.valueName().isEmpty()
                ? QString()
                : QStringLiteral(":%1:").arg(zshDescription(option.valueName()));
            for (const QString& name : dashedNames(option))
                specs.append(quoted(QStringLiteral("*%1[%2]%3").arg(name, description, value)));
        }
        specs.append(quoted(QStringLiteral("*:file:_files")));
        script += QStringLiteral("    %1)\n        _arguments \\\n            %2\n        ;;\n")
                      .arg(command.name, specs.join(QStringLiteral(" \\\n            ")));
    }
    script += QStringLiteral("    esac\n"
                             "}\n"
                             "_orvalin_cli \"$@\"\n");
    return script;
}

QString fish(const QList<Cli::DescribedCommand>& commands)
{
    const QString names = commandNames(commands).join(u' ');
    QString script = QStringLiteral(
        "# fish completion for orvalin-cli\n"
        "complete -c orvalin-cli -n 'not __fish_seen_subcommand_from %1' -f\n"
        "complete -c orvalin-cli -n 'not __fish_seen_subcommand_from %1' -l help -d 'show the "
        "usage'\n"
        "complete -c orvalin-cli -n 'not __fish_seen_subcommand_from %1' -l version -d 'show the "
        "version'\n")
                         .arg(names);
    for (const Cli::DescribedCommand& command : commands) {
        script += QStringLiteral("complete -c orvalin-cli -n 'not __fish_seen_subcommand_from "
                                 "%1' -a %2 -d %3\n")
                      .arg(names, command.name, quoted(command.summary));
    }
    for (const Cli::DescribedCommand& command : commands) {
        const QString condition
            = QStringLiteral("-n '__fish_seen_subcommand_from %1'").arg(command.name);
        for (const QCommandLineOption& option : command.help.options) {
            QString line = QStringLiteral("complete -c orvalin-cli %1").arg(condition);
            for (const QString& name : option.names())
                line += (name.size() == 1 ? QStringLiteral(" -s ") : QStringLiteral(" -l ")) + name;
            if (!option.valueName().isEmpty())
                line += QStringLiteral(" -r");
            script += line + QStringLiteral(" -d %1\n").arg(quoted(option.description()));
        }
    }
    return script;
}

} // namespace ShellCompletions
