// Does nothing: only its version resource is read.
int main() { return 0; }
