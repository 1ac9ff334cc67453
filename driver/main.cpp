// Placeholder entry point until the interactive run is built.
int main() { return 0; }
