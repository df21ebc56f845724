#pragma once

#include <QAbstractItemModelTester>
#include <QtTest>
#include <memory>

// Checks the playlist model with QAbstractItemModelTester and fails the running
// test on each of its complaints but one: the model's root is enabled and takes
// no drops (the list view handles drops on empty space itself), which the
// tester expects the other way round.
class PlaylistModelTester
{
public:
    explicit PlaylistModelTester(QAbstractItemModel* model)
        : m_previous(qInstallMessageHandler(&Handle))
    {
        Previous() = m_previous;
        m_tester = std::make_unique<QAbstractItemModelTester>(
            model, QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    ~PlaylistModelTester()
    {
        m_tester.reset();
        qInstallMessageHandler(m_previous);
    }

private:
    static QtMessageHandler& Previous()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }

    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type == QtWarningMsg && qstrcmp(context.category, "qt.modeltest") == 0) {
            if (!message.contains(QLatin1String("flags == Qt::ItemIsDropEnabled || flags == 0")))
                QTest::qFail(qPrintable(message), __FILE__, __LINE__);
            return;
        }
        Previous()(type, context, message);
    }

    QtMessageHandler m_previous;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};
