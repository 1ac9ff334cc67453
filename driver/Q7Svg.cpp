// Facade implementation comes with the engine.
