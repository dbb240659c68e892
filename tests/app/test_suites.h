#pragma once

#include <QObject>
#include <memory>

// The suites of app_tests; each runs as its own ctest entry.
namespace i40::app::test {

std::unique_ptr<QObject> MakeMainWindowTest();
std::unique_ptr<QObject> MakePrompterTest();
std::unique_ptr<QObject> MakePickerTest();
std::unique_ptr<QObject> MakeShellDialogsTest();
std::unique_ptr<QObject> MakeSetWindowTest();
std::unique_ptr<QObject> MakeItemDialogsTest();
std::unique_ptr<QObject> MakeMidiTest();

}  // namespace i40::app::test
