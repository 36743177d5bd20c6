#pragma once
// The document commands over a test's own working copy: a program folder with its work
// folder, a tree that records the in-place edits the commands start, and the caption and
// reopen list kept as plain fields.

#include <string>
#include <vector>

#include "designer/frmMain/DocumentCommands.h"
#include "tests/support/TestEditors.h"
#include "tests/support/TreeEditors.h"

namespace vantorell::test {

class TestDocument : public DocumentCommands {
public:
    // `programFolder` ends in "/"; its "Temp/" folder is created as the work folder.
    explicit TestDocument(const std::string& programFolder);
    ~TestDocument() override;

    TestEditors editors;
    RecordingTreePort treePort;
    std::string caption;
    std::vector<std::string> reopenList;

    // The model in the editors, as a file would take it.
    ModelArrays shown();
    std::vector<std::string> dimensionNames();
    // A change the user made: the first dimension renamed.
    void change();

protected:
    void nulCaptionSet(const std::string& fileName) override { caption = fileName; }
    void nulMainMenuReopenListAddItem(const std::string& path) override {
        reopenList.push_back(path);
    }
};

}  // namespace vantorell::test
