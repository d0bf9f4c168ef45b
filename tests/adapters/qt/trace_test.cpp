// The diagnostic trace reaches the Qt logging category, and only when its rules switch it on.

#include <QtTest>

#include "adapters/qt/QtTrace.h"
#include "base/Ports.h"

namespace pw {

namespace {
QStringList captured;
void capture(QtMsgType, const QMessageLogContext& context, const QString& message) {
  captured << QString::fromLatin1(context.category) + QStringLiteral(": ") + message;
}
}  // namespace

class TraceTest : public QObject {
  Q_OBJECT

 private slots:
  void followsTheLoggingRules() {
    installQtTrace();
    const QtMessageHandler previous = qInstallMessageHandler(capture);
    trace("CRegistry::Open error: Can't open key %s!\n", "Run");
    QLoggingCategory::setFilterRules(QStringLiteral("pagewarden.trace.debug=true"));
    trace("CRegistry::Open error: Can't open key %s!\n", "Run");
    qInstallMessageHandler(previous);
    QCOMPARE(captured, QStringList{QStringLiteral(
                           "pagewarden.trace: CRegistry::Open error: Can't open key Run!")});
  }
};

}  // namespace pw

QTEST_GUILESS_MAIN(pw::TraceTest)
#include "trace_test.moc"
