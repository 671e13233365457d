// The test program's own classes, for the object and module tests.
#include "test_module.h"

S_COM::ClassEntry g_testCounter = S_COM::MakeClassEntry<CTestCounter>(u"CTestCounter", false);
S_COM::ClassEntry g_testShared = S_COM::MakeClassEntry<CTestCounter>(u"CTestShared", true);
S_COM::ClassEntry g_testFailing = S_COM::MakeClassEntry<CTestFailing>(u"CTestFailing", false);
S_COM::ClassEntry g_unnamed = {nullptr, nullptr, false, nullptr};
S_COM::ClassEntry g_noCreator = {u"CNoCreator", nullptr, false, nullptr};

std::atomic<int> CTestCounter::constructions{0};
std::atomic<int> CTestCounter::destructions{0};

S_COM_DEFINE_MODULE(nullptr, &g_unnamed, &g_testCounter, nullptr, &g_testShared, &g_testFailing, &g_noCreator)
