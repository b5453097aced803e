#pragma once
// A server request component for tests: answers from a table keyed by the
// exact request text, records every request, and can play "no answer".

#include <VantorDictation4/HostComponents.h>

#include <QHash>
#include <QStringList>

class FakeRelayHubServer : public ServerRequestComponent {
public:
    bool RequestProcessBlocks(const QString& strRequest, QStringList& arrstrBlocks, const QString&,
                              QString& strInfo) override {
        requests << strRequest;
        strInfo.clear();
        if (!blockAnswers.contains(strRequest)) return answerMissing;
        arrstrBlocks = blockAnswers.value(strRequest);
        return true;
    }
    bool RequestProcess(const QString& strRequest, QString& strResponse, const QString&,
                        QString& strInfo) override {
        requests << strRequest;
        strInfo.clear();
        if (!answers.contains(strRequest)) return answerMissing;
        strResponse = answers.value(strRequest);
        return true;
    }

    QHash<QString, QString> answers;
    QHash<QString, QStringList> blockAnswers;
    bool answerMissing = false; // result for requests without an answer
    QStringList requests;
};
