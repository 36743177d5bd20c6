// The engine program: file cipher, update check and component installer.
int main() { return 0; }
