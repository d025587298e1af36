// The host download library's interfaces as the plug-in uses them, and the callback
// interfaces through which the host reports back to the plug-in. The host stand-in
// implements the same declarations.
//
// Binary form: every method uses the standard calling convention and returns an HRESULT;
// the order of declaration is the method-table position (IUnknown takes 0 to 2). Slots
// named ReservedN are entries the plug-in never calls; they only keep the positions.
// A counted narrow string travels as two arguments: the length, then the pointer (no
// terminator required). Identifiers, intervals, timeouts, sizes, offsets and flags are
// 32-bit; a port is 16-bit in its own argument; 64-bit integers go by value.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace pull_tide {

// Service identifiers asked for with IDownloadLibHost::GetService.
inline constexpr GUID SID_AsynFrame = {
    0xECB1468E, 0xDF17, 0x4BAA, {0x91, 0x05, 0x84, 0xFC, 0x29, 0x2F, 0x4B, 0x61}};
inline constexpr GUID SID_Setting = {
    0x30A29138, 0x545F, 0x4CFA, {0xBC, 0x75, 0x94, 0x35, 0x2D, 0xA5, 0xA5, 0x66}};
inline constexpr GUID SID_StatData = {
    0x2C0AB158, 0xB601, 0x46DD, {0xB0, 0x0A, 0xCE, 0x3A, 0x30, 0x40, 0xEB, 0x67}};
inline constexpr GUID SID_StatService = {
    0x772D1C1A, 0x319C, 0x4433, {0x9D, 0xCE, 0x24, 0x99, 0xCC, 0xBC, 0x50, 0x3A}};

// Interface identifiers.
inline constexpr IID IID_IStatData2 = {
    0xA80ADE7C, 0x2A12, 0x4A51, {0xB7, 0x27, 0x64, 0xA1, 0xD3, 0xF1, 0xE8, 0xCE}};
inline constexpr IID IID_IStatRecord = {
    0x93BAD8F6, 0x48DB, 0x4FC8, {0x85, 0x08, 0x6B, 0x99, 0xCB, 0x17, 0xA9, 0x97}};
inline constexpr IID IID_IAsynIoOperationEvents = {
    0xA13FF036, 0xB25B, 0x4796, {0xA2, 0x1B, 0x58, 0xAC, 0xAA, 0x42, 0x07, 0x0E}};
inline constexpr IID IID_IAsynTimerEvents = {
    0x066765B7, 0xE6C5, 0x4A3C, {0xBB, 0x69, 0xE7, 0x5A, 0xA4, 0x40, 0x94, 0x6F}};
inline constexpr IID IID_IAsynMessageEvents = {
    0xE0913DE3, 0xB289, 0x4A4D, {0xA2, 0x44, 0x8D, 0x90, 0xD6, 0x7A, 0x4B, 0x68}};
inline constexpr IID IID_IStringSetter = {
    0x83A323B1, 0x3B99, 0x496F, {0x91, 0xBE, 0x57, 0x86, 0xFC, 0x21, 0x34, 0x43}};

// Class of the statistics records made with IDownloadLibHost::CreateObject.
inline constexpr CLSID CLSID_StatRecord = {
    0x5E3AD45E, 0x494F, 0x41D1, {0xA1, 0xBD, 0xAE, 0x5A, 0x97, 0x97, 0xE6, 0x29}};

// Identifiers the plug-in never asks for; the host's objects answer them in QueryInterface.
inline constexpr IID IID_IDownloadLibHost = {
    0x4C1B7E52, 0x93A0, 0x4F6D, {0x8E, 0x2B, 0x61, 0x0D, 0x5A, 0x7C, 0x3E, 0x19}};
inline constexpr IID IID_IAsynFrame = SID_AsynFrame;
inline constexpr IID IID_ISetting = SID_Setting;
inline constexpr IID IID_IStatData = SID_StatData;
inline constexpr IID IID_IStatService = SID_StatService;
inline constexpr IID IID_IAsynIoOperation = {
    0x7F0E2C44, 0x6B1D, 0x4A8E, {0x9C, 0x53, 0x20, 0x4E, 0xB1, 0x7A, 0x88, 0x02}};
inline constexpr IID IID_IAsynSocket = {
    0x7F0E2C45, 0x6B1D, 0x4A8E, {0x9C, 0x53, 0x20, 0x4E, 0xB1, 0x7A, 0x88, 0x02}};
inline constexpr IID IID_ISpeedLimiter = {
    0x7F0E2C46, 0x6B1D, 0x4A8E, {0x9C, 0x53, 0x20, 0x4E, 0xB1, 0x7A, 0x88, 0x02}};

// ---- Callbacks implemented by the plug-in -------------------------------------------

struct IAsynIoOperation;

struct IAsynIoOperationEvents : public IUnknown {
  // 3: a started read, write or connect has finished (or failed); once per start.
  virtual HRESULT STDMETHODCALLTYPE OnIoComplete(IAsynIoOperation* operation) = 0;
};

struct IAsynTimerEvents : public IUnknown {
  // 3: the timer `id` of this sink has expired.
  virtual HRESULT STDMETHODCALLTYPE OnTimer(DWORD id) = 0;
};

struct IAsynMessageEvents : public IUnknown {
  // 3 and 4: frame messages; the plug-in ignores their values.
  virtual HRESULT STDMETHODCALLTYPE OnMessage(DWORD a, DWORD b, DWORD c) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnMessage2(DWORD a, DWORD b, DWORD c) = 0;
};

// The receiver through which the settings service hands back a text.
struct IStringSetter : public IUnknown {
  // 3: a non-zero length replaces the target with that many bytes; 0 empties it.
  virtual HRESULT STDMETHODCALLTYPE SetString(DWORD length, const char* text) = 0;
};

// ---- The asynchronous I/O frame -----------------------------------------------------

struct IAsynIoOperation : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetContext(void* context) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  // 6: result of the last completed start; error 0 is success.
  virtual HRESULT STDMETHODCALLTYPE GetResult(DWORD* error, DWORD* bytes) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;
  virtual HRESULT STDMETHODCALLTYPE AllocBuffer(DWORD size) = 0;                   // 9
  virtual HRESULT STDMETHODCALLTYPE GetBuffer(BYTE** data, DWORD* capacity) = 0;   // 10
  virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
  // 12: the bytes of the buffer that the next read or write uses.
  virtual HRESULT STDMETHODCALLTYPE SetWindow(DWORD offset, DWORD count) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved13() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved14() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved15() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved16() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved17() = 0;
  // 18: abandons a started operation; no completion follows.
  virtual HRESULT STDMETHODCALLTYPE Cancel() = 0;
};

struct IAsynSocket : public IUnknown {
  // 3: fills at most the operation's window with what has arrived.
  virtual HRESULT STDMETHODCALLTYPE Read(IAsynIoOperation* operation) = 0;
  // 4: sends from the operation's window; may send only part of it.
  virtual HRESULT STDMETHODCALLTYPE Write(IAsynIoOperation* operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReadVariant(IAsynIoOperation* operation) = 0;   // 5
  virtual HRESULT STDMETHODCALLTYPE WriteVariant(IAsynIoOperation* operation) = 0;  // 6
  virtual HRESULT STDMETHODCALLTYPE Close() = 0;                                    // 7
  // 8: connects to a host name or dotted address; the plug-in always passes timeout 50.
  virtual HRESULT STDMETHODCALLTYPE Connect(IAsynIoOperation* operation, DWORD host_length,
                                            const char* host, USHORT port, DWORD timeout) = 0;
  // 9 and 10: IPv4 address (network order) and port (host order) of each end.
  virtual HRESULT STDMETHODCALLTYPE GetLocalAddress(DWORD* address, USHORT* port) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRemoteAddress(DWORD* address, USHORT* port) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetTimeout(DWORD milliseconds) = 0;  // 11
  virtual HRESULT STDMETHODCALLTYPE SetOption(DWORD value) = 0;          // 12
};

struct ISpeedLimiter : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE SetLimit(DWORD a, DWORD b, DWORD c) = 0;  // 5
  virtual HRESULT STDMETHODCALLTYPE SetSpeed(DWORD value) = 0;                // 6
  virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
  // 8: the limiter above this one; the plug-in passes null right after creation.
  virtual HRESULT STDMETHODCALLTYPE SetParent(ISpeedLimiter* parent) = 0;
};

struct IAsynFrame : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  // 5: OnTimer(id) on the sink after `interval` ms (1 to 86399990); `repeat` is always false.
  virtual HRESULT STDMETHODCALLTYPE StartTimer(IAsynTimerEvents* sink, DWORD id, DWORD interval,
                                               BOOL repeat) = 0;
  virtual HRESULT STDMETHODCALLTYPE StopTimer(IAsynTimerEvents* sink, DWORD id) = 0;  // 6
  virtual HRESULT STDMETHODCALLTYPE StopAllTimers(IAsynTimerEvents* sink) = 0;        // 7
  virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved9() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
  // 13: a new operation reporting its completions to `sink`.
  virtual HRESULT STDMETHODCALLTYPE CreateIoOperation(IAsynIoOperationEvents* sink,
                                                      IAsynIoOperation** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved14() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved15() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved16() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved17() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved18() = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateTcpSocket(IAsynSocket** socket) = 0;  // 19
  virtual HRESULT STDMETHODCALLTYPE Reserved20() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved21() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved22() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved23() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved24() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved25() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved26() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved27() = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateSpeedLimiter(ISpeedLimiter** limiter) = 0;  // 28
  // 29: a socket with the same methods as `socket`, paced by the limiters (either may be null).
  virtual HRESULT STDMETHODCALLTYPE CreateLimitedSocket(IAsynSocket* socket,
                                                        ISpeedLimiter* download_limiter,
                                                        ISpeedLimiter* upload_limiter,
                                                        IAsynSocket** limited_socket) = 0;
};

// ---- Settings and statistics --------------------------------------------------------

struct ISetting : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  // 4: the integer under (section, key); a negative result when there is none.
  virtual HRESULT STDMETHODCALLTYPE GetInt(DWORD section_length, const char* section,
                                           DWORD key_length, const char* key, LONG* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
  // 8: the text under (section, key), delivered through receiver->SetString; a negative
  // result when there is none.
  virtual HRESULT STDMETHODCALLTYPE GetString(DWORD section_length, const char* section,
                                              DWORD key_length, const char* key,
                                              IStringSetter* receiver) = 0;
};

// The statistics object handed out as SID_StatData; the plug-in only holds it.
struct IStatData2 : public IUnknown {};

struct IStatRecord : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetName(DWORD length, const char* name) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE AddInt64(DWORD key_length, const char* key,
                                             LONGLONG value) = 0;  // 5
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  virtual HRESULT STDMETHODCALLTYPE AddString(DWORD key_length, const char* key,
                                              DWORD value_length, const char* value) = 0;  // 7
};

struct IStatService : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
  // 8: hands a record to the host under `category`.
  virtual HRESULT STDMETHODCALLTYPE Submit(DWORD category_length, const char* category,
                                           IStatRecord* record) = 0;
};

// ---- The host services interface handed to the plug-in's Initialize ----------------

struct IDownloadLibHost : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
  // 8: keeps `object` and hands it to whoever asks for `iid`.
  virtual HRESULT STDMETHODCALLTYPE RegisterService(REFIID iid, IUnknown* object) = 0;
  // 9: drops the object registered under `iid`.
  virtual HRESULT STDMETHODCALLTYPE RevokeService(REFIID iid) = 0;
  // 10: a counted reference to the service, or a failure with *service null.
  virtual HRESULT STDMETHODCALLTYPE GetService(REFGUID service, void** object) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
  // 12: a new host object of class `clsid`, asked for `iid`.
  virtual HRESULT STDMETHODCALLTYPE CreateObject(REFCLSID clsid, REFIID iid, void** object) = 0;
};

}  // namespace pull_tide
