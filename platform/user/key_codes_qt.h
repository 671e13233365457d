#pragma once
// Qt's key codes as the platform's virtual-key codes.
namespace quorla {

// 0 for keys without a code of their own (a key that types text then
// travels as VK_PACKET).
int VirtualKeyOf(int qtKey);
// The toolkit's key for a virtual-key code, for key messages a program makes
// itself; 0 for none.
int QtKeyOf(int virtualKey);

}  // namespace quorla
