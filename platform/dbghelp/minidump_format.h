#pragma once
// The records of the minidump file format as they lie in the file: packed to
// four bytes, little-endian, offsets (RVAs) counted from the file's start.
#include <cstdint>

namespace dbghelp {

#pragma pack(push, 4)
struct LocationDescriptor {
  uint32_t DataSize;
  uint32_t Rva;
};
struct MemoryDescriptor {
  uint64_t StartOfMemoryRange;
  LocationDescriptor Memory;
};
struct Header {
  uint32_t Signature;
  uint32_t Version;
  uint32_t NumberOfStreams;
  uint32_t StreamDirectoryRva;
  uint32_t CheckSum;
  uint32_t TimeDateStamp;
  uint64_t Flags;
};
struct Directory {
  uint32_t StreamType;
  LocationDescriptor Location;
};
struct Thread {
  uint32_t ThreadId;
  uint32_t SuspendCount;
  uint32_t PriorityClass;
  uint32_t Priority;
  uint64_t Teb;
  MemoryDescriptor Stack;
  LocationDescriptor ThreadContext;
};
struct Module {
  uint64_t BaseOfImage;
  uint32_t SizeOfImage;
  uint32_t CheckSum;
  uint32_t TimeDateStamp;
  uint32_t ModuleNameRva;
  uint32_t VersionInfo[13];
  LocationDescriptor CvRecord;
  LocationDescriptor MiscRecord;
  uint64_t Reserved0;
  uint64_t Reserved1;
};
struct ExceptionRecord {
  uint32_t ExceptionCode;
  uint32_t ExceptionFlags;
  uint64_t ExceptionRecord;
  uint64_t ExceptionAddress;
  uint32_t NumberParameters;
  uint32_t UnusedAlignment;
  uint64_t ExceptionInformation[15];
};
struct ExceptionInfo {
  uint32_t ThreadId;
  uint32_t Alignment;
  ExceptionRecord Exception;
  LocationDescriptor ThreadContext;
};
struct SystemInfo {
  uint16_t ProcessorArchitecture;
  uint16_t ProcessorLevel;
  uint16_t ProcessorRevision;
  uint8_t NumberOfProcessors;
  uint8_t ProductType;
  uint32_t MajorVersion;
  uint32_t MinorVersion;
  uint32_t BuildNumber;
  uint32_t PlatformId;
  uint32_t CSDVersionRva;
  uint16_t SuiteMask;
  uint16_t Reserved2;
  uint32_t VendorId[3];
  uint32_t VersionInformation;
  uint32_t FeatureInformation;
  uint32_t AMDExtendedCpuFeatures;
};
#pragma pack(pop)

static_assert(sizeof(Header) == 32);
static_assert(sizeof(Directory) == 12);
static_assert(sizeof(Thread) == 48);
static_assert(sizeof(Module) == 108);
static_assert(sizeof(ExceptionInfo) == 168);
static_assert(sizeof(SystemInfo) == 56);
static_assert(sizeof(MemoryDescriptor) == 16);

constexpr uint16_t kArchitectureAmd64 = 9;
constexpr uint16_t kArchitectureUnknown = 0xFFFF;
constexpr uint32_t kPlatformLinux = 0x8201;
constexpr uint32_t kCodeViewElf = 0x4270454C;  // "LEpB": an ELF build identifier follows

}  // namespace dbghelp
