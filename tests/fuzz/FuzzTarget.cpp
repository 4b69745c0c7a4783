#include "FuzzTarget.h"

#include <QGuiApplication>
#include <QLoggingCategory>

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QGuiApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Broken inputs are the rule here; their warnings would drown the log.
        QLoggingCategory::setFilterRules(QStringLiteral("tamsolen.*.warning=false"));
        return new QGuiApplication(argc, argv);
    }();
    Q_UNUSED(app);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ensureApplication();
    fuzzOne(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
