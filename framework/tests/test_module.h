#pragma once
#include <atomic>

#include "framework/com_object.h"
#include "probe_interfaces.h"

class CTestCounter : public S_COM::CSComObjectRoot<CTestCounter>, public ISolo, public ISecond {
 public:
  S_COM_BEGIN_INTERFACE_MAP(CTestCounter)
  S_COM_INTERFACE_ENTRY(ISolo)
  S_COM_INTERFACE_ENTRY(ISecond)
  S_COM_END_INTERFACE_MAP()

  CTestCounter() { ++constructions; }
  ~CTestCounter() { ++destructions; }
  int Solo() override { return 1; }
  int Second() override { return 2; }

  static std::atomic<int> constructions;
  static std::atomic<int> destructions;
};

class CTestFailing : public S_COM::CSComObjectRoot<CTestFailing>, public ISolo {
 public:
  S_COM_BEGIN_INTERFACE_MAP(CTestFailing)
  S_COM_INTERFACE_ENTRY(ISolo)
  S_COM_END_INTERFACE_MAP()
  HRESULT FinalConstruct() override { return E_OUTOFMEMORY; }
  int Solo() override { return 0; }
};
