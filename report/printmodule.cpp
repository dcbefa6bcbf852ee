// SPDX-License-Identifier: GPL-3.0-or-later
// The program's side of printing: it loads the print module on first use and calls into it.
#include "report/printmodule.h"

#include "base/buildconfig.h"
#include "base/logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace report {
namespace {

STARFOLD_LOGGING_CATEGORY(lcPrintModule, "starfold.report.print")

// The print module's entry points, found by name (reportprint.cpp defines them); the first
// returns a PrintResult.
using StarfoldPrintOn = int (*)(const QTextDocument *document, const QString *printerName);
using StarfoldDefaultPrinter = void (*)(QString *name);

// The module, loaded once: where an installed program keeps it, else beside the program or
// one folder up from it (a build tree, whose tests and benchmarks sit in folders below).
QLibrary *printModule()
{
    static QLibrary module;
    static const bool loaded = [] {
        const QDir here(QCoreApplication::applicationDirPath());
        for (const QString &place : {here.filePath(QLatin1String(STARFOLD_PRINT_MODULE_DIR)),
                                     here.path(), here.filePath(QStringLiteral(".."))}) {
            module.setFileName(QDir(place).filePath(QStringLiteral("starfold_print")));
            if (module.load())
                return true;
        }
        qCWarning(lcPrintModule, "cannot print: %s", qPrintable(module.errorString()));
        return false;
    }();
    return loaded ? &module : nullptr;
}

template<typename Entry>
Entry entryPoint(const char *name)
{
    QLibrary *module = printModule();
    return module ? reinterpret_cast<Entry>(module->resolve(name)) : nullptr;
}

} // namespace

PrintResult PrintDocument(const QTextDocument &document, const QString &printerName)
{
    if (printerName.isEmpty())
        return PrintResult::NotPrinted;
    const auto printOn = entryPoint<StarfoldPrintOn>("starfold_print_on");
    return printOn ? PrintResult(printOn(&document, &printerName)) : PrintResult::NotPrinted;
}

QString DefaultPrinterName()
{
    QString name;
    if (const auto defaultPrinter = entryPoint<StarfoldDefaultPrinter>("starfold_default_printer"))
        defaultPrinter(&name);
    return name;
}

} // namespace report
