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
    {
        s_previous = qInstallMessageHandler(&Handle);
        m_tester = std::make_unique<QAbstractItemModelTester>(
            model, QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    ~PlaylistModelTester()
    {
        m_tester.reset();
        qInstallMessageHandler(s_previous);
    }

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type != QtWarningMsg || qstrcmp(context.category, "qt.modeltest") != 0)
            s_previous(type, context, message);
        else if (!message.contains(QLatin1String("flags == Qt::ItemIsDropEnabled || flags == 0")))
            QTest::qFail(qPrintable(message), __FILE__, __LINE__);
    }

    static inline QtMessageHandler s_previous = nullptr;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};
