// Keeps the test-support library non-empty while the helpers beside it are being written.
namespace veldtest {
int placeholder() { return 0; }
} // namespace veldtest
